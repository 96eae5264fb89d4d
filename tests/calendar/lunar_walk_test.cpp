// One walk over every day of 1901-01-01 .. 2050-12-31 checking the structure of the calendar from
// one day to the next, rather than single dates: a wrong record or a slip in the conversion shows
// up as a broken step somewhere.

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "calendar/lunar_calendar.h"

namespace {

int MonthOf(LunarDateCode code) { return std::abs(code) / 100; }
int DayOf(LunarDateCode code) { return std::abs(code) % 100; }

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The month after `before` in the lunar calendar: a leap month follows the ordinary month of its
// number, an ordinary month follows the month before it (whether that one was leap or not).
bool IsNextMonth(LunarDateCode before, LunarDateCode after)
{
    if (after < 0) {
        return before > 0 && MonthOf(before) == MonthOf(after);
    }
    return MonthOf(after) == MonthOf(before) % 12 + 1;
}

TEST(LunarWalk, EveryDayOfTheTableStepsSoundly)
{
    const DateTime first = EncodeDate(1901, 1, 1);
    const DateTime last = EncodeDate(2050, 12, 31);

    CalendarDate previous_date = DecodeDate(first - 1);
    LunarDateCode previous = 0;
    std::string previous_day_text;
    std::string previous_stem;
    std::string previous_branch;
    DateTime previous_new_year = 0;
    int months_this_lunar_year = 0;
    bool leap_this_lunar_year = false;
    int new_years = 0;

    for (DateTime value = first; value <= last; value += 1) {
        const CalendarDate date = DecodeDate(value);
        SCOPED_TRACE(testing::Message() << date.year << "-" << date.month << "-" << date.day);

        // The date-time value: each day decodes to the day after the one before and back.
        ASSERT_EQ(EncodeDate(date.year, date.month, date.day), value);
        const bool next_in_month = date.year == previous_date.year &&
                                   date.month == previous_date.month &&
                                   date.day == previous_date.day + 1;
        const bool previous_was_last =
            previous_date.day == DaysInMonth(previous_date.year, previous_date.month);
        const bool next_month =
            date.day == 1 && previous_was_last &&
            ((date.year == previous_date.year && date.month == previous_date.month + 1) ||
             (date.year == previous_date.year + 1 && date.month == 1 && previous_date.month == 12));
        ASSERT_TRUE(next_in_month || next_month);
        ASSERT_EQ(DayOfYear(value),
                  date.month == 1 && date.day == 1 ? 1 : DayOfYear(value - 1) + 1);

        const LunarDateCode code = ToLunarCode(value);
        ASSERT_NE(code, 0);
        ASSERT_GE(DayOf(code), 1);
        ASSERT_LE(DayOf(code), 30);
        ASSERT_GE(MonthOf(code), 1);
        ASSERT_LE(MonthOf(code), 12);
        const std::string day_text = LunarDayText(value);
        const std::string stem = YearStemText(value);
        const std::string branch = YearBranchText(value);

        if (previous != 0) {
            if (DayOf(code) == 1) {
                // A new month: the next one of the run, after a month of 29 or 30 days.
                ASSERT_TRUE(IsNextMonth(previous, code)) << previous << " -> " << code;
                ASSERT_GE(DayOf(previous), 29);
            } else {
                ASSERT_EQ(code, previous < 0 ? previous - 1 : previous + 1);
            }
            // The eve is exactly the day before 春节.
            ASSERT_EQ(EndsWith(previous_day_text, " 除夕"), code == 101) << previous_day_text;
            // The year's stem and branch change exactly on 正月初一.
            ASSERT_EQ(stem != previous_stem, code == 101);
            ASSERT_EQ(branch != previous_branch, code == 101);
        }

        if (code == 101) {
            ASSERT_EQ(day_text, "初一 春节");
            // 正月初一 falls between 21 January and 20 February.
            ASSERT_TRUE((date.month == 1 && date.day >= 21) || (date.month == 2 && date.day <= 20));
            if (previous_new_year != 0) {
                // A lunar year has 12 months, or 13 with a leap month, and the days that makes.
                const int length = static_cast<int>(value - previous_new_year);
                if (leap_this_lunar_year) {
                    EXPECT_EQ(months_this_lunar_year, 13);
                    EXPECT_TRUE(length >= 383 && length <= 385) << length;
                } else {
                    EXPECT_EQ(months_this_lunar_year, 12);
                    EXPECT_TRUE(length >= 353 && length <= 355) << length;
                }
            }
            previous_new_year = value;
            months_this_lunar_year = 0;
            leap_this_lunar_year = false;
            ++new_years;
        }
        if (DayOf(code) == 1) {
            ++months_this_lunar_year;
            leap_this_lunar_year = leap_this_lunar_year || code < 0;
        }

        previous_date = date;
        previous = code;
        previous_day_text = day_text;
        previous_stem = stem;
        previous_branch = branch;
    }
    EXPECT_EQ(new_years, 150);
    EXPECT_FALSE(EndsWith(previous_day_text, " 除夕"));
}

}  // namespace
