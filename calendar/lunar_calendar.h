#pragma once
// The Chinese lunar calendar of 1901-01-01 to 2050-12-31: the lunar date of a Gregorian date and
// the texts of the saver's calendar line. Everything outside the calendar uses this header only.
//
// Every function takes the program's date-time value, of which only the calendar date counts, and
// is pure: no state, no failure, safe from any thread.

#include <cstdint>
#include <string>

#include "calendar/date_time.h"

// A lunar date packed into one number: month * 100 + day (101 is 正月初一, 1230 is 十二月三十),
// negated for a leap month, whose month is the ordinary month it follows (-405 is 闰四月初五);
// 0 for a date outside 1901-01-01 .. 2050-12-31. Month = |code| / 100, day = |code| % 100.
using LunarDateCode = std::int32_t;

// The day of the date within its Gregorian year: 1 for 1 January, up to 365 or 366.
int DayOfYear(DateTime date);

// The lunar date of the date, or 0 outside 1901-01-01 .. 2050-12-31. Allocates nothing.
LunarDateCode ToLunarCode(DateTime date);

// "四月", "十一月"; a leap month is "闰" and the month name without "月": "闰四".
// Empty outside the table's range, as are the day and date texts.
std::string LunarMonthText(DateTime date);

// "初五"; with a festival, its name after one space: "初一 春节", "廿九 除夕".
std::string LunarDayText(DateTime date);

// The month text followed directly by the day text: "四月初五", "正月初一 春节", "闰四初五".
std::string LunarDateText(DateTime date);

// The heavenly stem of the date's lunar year, one character: "庚". For any date: a January to
// March date still in the 11th or 12th lunar month belongs to the previous year.
std::string YearStemText(DateTime date);

// The earthly branch and zodiac animal of the date's lunar year: "子(鼠)". For any date, with the
// same year rule as the stem.
std::string YearBranchText(DateTime date);
