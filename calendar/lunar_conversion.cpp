// Gregorian date to lunar date through the year table.

#include "calendar/date_time.h"
#include "calendar/lunar_calendar.h"
#include "calendar/lunar_month_run.h"

namespace {

int DaysBeforeMonth(int year, int month)
{
    int days = 0;
    for (int m = 1; m < month; ++m) {
        days += DaysInMonth(year, m);
    }
    return days;
}

// The lunar date of the day_index-th day (0 for 1 January) of a year within the table.
LunarDateCode LunarCodeOfDay(int year, int day_index)
{
    const LunarMonthRun run = UnpackMonthRun(LunarYearRecordOf(year));
    const LunarRunPlace place = PlaceInRun(run, day_index);
    int month = run.numbers[place.index];
    // The record only says 11th or 12th for the month in progress on 1 January, not whether it is
    // a leap month; 31 December of the year before lies in that same month and knows. The table
    // never puts 31 December in the month in progress on its own 1 January, so this goes one
    // year back at most.
    if (place.index == 0 && year > kFirstLunarYear) {
        const int last_day_index = (IsLeapYear(year - 1) ? 366 : 365) - 1;
        if (LunarCodeOfDay(year - 1, last_day_index) < 0) {
            month = -month;
        }
    }
    return month > 0 ? month * 100 + place.day : month * 100 - place.day;
}

}  // namespace

int DayOfYear(DateTime date)
{
    const CalendarDate d = DecodeDate(date);
    return DaysBeforeMonth(d.year, d.month) + d.day;
}

LunarDateCode ToLunarCode(DateTime date)
{
    const CalendarDate d = DecodeDate(date);
    if (d.year < kFirstLunarYear || d.year > kLastLunarYear) {
        return 0;
    }
    return LunarCodeOfDay(d.year, DaysBeforeMonth(d.year, d.month) + d.day - 1);
}
