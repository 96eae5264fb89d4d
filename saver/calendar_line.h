#pragma once
// The saver's calendar line: the lunar date of the day the saver started, the clock time and the
// weekday, each part switchable, joined by two spaces.

#include "calendar/date_time.h"

#include <QString>

#include <string>

// Which parts the calendar line shows.
struct CalendarLineParts {
    bool ShowLunar = true;
    bool ShowTime = true;
    bool ShowWeek = true;
};

// The lunar part of the line: stem and branch of the lunar year, "年 " and the lunar date, as
// "癸卯(兔)年 十二月初一".
std::string LunarLineText(DateTime today);

// The shown parts in the order lunar, time, weekday, two spaces apart, without any leading or
// trailing character at or below the space (code 32); an empty line when no part is shown.
QString ComposeCalendarLine(const CalendarLineParts& parts, const QString& lunarText,
                            const QString& timeText, const QString& weekdayText);

// The text without leading and trailing characters whose code is 32 or less; inner ones stay.
QString TrimControlAndSpace(const QString& text);
