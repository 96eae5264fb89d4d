#pragma once
// The user's regional date and time formats, normalised so that what one run writes another run
// of the same machine reads back: numeric day, month and four-digit year in the locale's order
// and with its date separator; a long time of hours, minutes and seconds without a zone name.

#include <optional>
#include <string>

#include <QLocale>
#include <QString>

#include "calendar/date_time.h"

// The date part of a value in the locale's normalised short date format ("2004-10-2",
// "2/10/2004", "10/2/2004", ...).
std::string FormatShortDate(DateTime date, const QLocale& locale = QLocale::system());
// Parses text in that format back into midnight of the date; nullopt when it does not parse or
// names no real date.
std::optional<DateTime> ParseShortDate(const std::string& text,
                                       const QLocale& locale = QLocale::system());
// The locale's long time of the given clock time, with hours, minutes and seconds, no time zone.
QString LongTimeText(int hour, int minute, int second, const QLocale& locale = QLocale::system());
// The full weekday name of the date in the locale's language ("星期三", "Wednesday").
QString WeekdayName(DateTime date, const QLocale& locale = QLocale::system());
