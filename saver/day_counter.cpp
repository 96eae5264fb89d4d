#include "saver/day_counter.h"

#include <cmath>

long long DayCount(DateTime startDate, DateTime now, bool addOne)
{
    const long long days = static_cast<long long>(std::trunc(std::fabs(now - startDate)));
    return addOne ? days + 1 : days;
}

std::string DayCounterText(const std::string& dayPrefix, long long count)
{
    return dayPrefix + " " + std::to_string(count) + " 天";
}

std::string ChineseDateText(const CalendarDate& date)
{
    return std::to_string(date.year) + "年" + std::to_string(date.month) + "月" +
           std::to_string(date.day) + "日";
}

std::string DateRangeText(DateTime startDate, DateTime now)
{
    const std::string start = ChineseDateText(DecodeDate(startDate));
    const std::string today = ChineseDateText(DecodeDate(now));
    return now > startDate ? start + " 至 " + today : today + " 至 " + start;
}
