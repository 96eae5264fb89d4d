#include "calendar/date_time.h"

#include <cmath>

namespace {

// Days from 0001-01-01 (proleptic Gregorian) to 1899-12-30.
constexpr long long kEpochOffset = 693593;

long long DaysFromCivil(int year, int month, int day)
{
    // Howard Hinnant's days_from_civil, shifted so that 0001-01-01 is day 0.
    const long long y = static_cast<long long>(year) - (month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long mp = (month + 9) % 12;
    const long long doy = (153 * mp + 2) / 5 + day - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + 719162;  // 719162: 0001-01-01 from 1970-01-01
}

CalendarDate CivilFromDays(long long days)
{
    long long z = days - 719162 + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

}  // namespace

DateTime EncodeDate(int year, int month, int day)
{
    return static_cast<DateTime>(DaysFromCivil(year, month, day) - kEpochOffset);
}

DateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                        int millisecond)
{
    const double time = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) /
                        86400000.0;
    const DateTime date = EncodeDate(year, month, day);
    // Before the epoch the fraction counts away from zero: -1.25 is the day -1 at 06:00.
    return date < 0 ? date - time : date + time;
}

CalendarDate DecodeDate(DateTime value)
{
    return CivilFromDays(static_cast<long long>(std::trunc(value)) + kEpochOffset);
}

DateTime DateOf(DateTime value)
{
    return std::trunc(value);
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kLengths[month - 1];
}
