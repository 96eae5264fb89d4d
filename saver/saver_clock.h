#pragma once
// Where the saver learns the local date and time. The window never asks the system directly, so
// tests can cross midnight, set the clock back or let minutes pass without waiting.

#include "calendar/date_time.h"

class QDateTime;

// The saver's clock: now as a date-time value, today as its midnight.
class SaverClock {
public:
    virtual ~SaverClock() = default;
    // The current local date and time.
    virtual DateTime now() const = 0;
    // Today's local date, at midnight.
    DateTime today() const { return DateOf(now()); }
};

// The machine's local clock.
class SystemClock final : public SaverClock {
public:
    DateTime now() const override;
};

// A clock time of day, to the second.
struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The time of day held in a date-time value's fraction. The fraction is rounded to the millisecond
// first, so 09:30:00 encoded as a double does not come back as 09:29:59.
ClockTime TimeOfDay(DateTime value);

// The date-time value of a local QDateTime.
DateTime DateTimeFromQt(const QDateTime& local);
