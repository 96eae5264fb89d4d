#pragma once
// The day counter of the saver: how many whole days lie between the configured date and now, and
// the two dates written out as a range.

#include "calendar/date_time.h"

#include <string>

// Whole days between startDate and now, the time of day counted as a fraction and then dropped;
// one more with addOne. As startDate is a midnight this follows calendar days.
long long DayCount(DateTime startDate, DateTime now, bool addOne);

// "<prefix> <n> 天": the prefix, a space, the count, a space and 天.
std::string DayCounterText(const std::string& dayPrefix, long long count);

// The start date and today, earlier first, as "2024年1月1日 至 2024年1月11日".
std::string DateRangeText(DateTime startDate, DateTime now);

// One date as "2024年1月11日".
std::string ChineseDateText(const CalendarDate& date);
