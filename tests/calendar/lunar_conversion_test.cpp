// Gregorian to lunar dates at the table's edges, across leap months and in the mended years.

#include <gtest/gtest.h>

#include "calendar/lunar_calendar.h"

namespace {

struct LunarCase {
    int year, month, day;
    LunarDateCode code;
};

void ExpectCodes(const std::vector<LunarCase>& cases)
{
    for (const LunarCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        EXPECT_EQ(ToLunarCode(EncodeDate(c.year, c.month, c.day)), c.code);
        // The time of day plays no part.
        EXPECT_EQ(ToLunarCode(EncodeDateTime(c.year, c.month, c.day, 23, 59, 0)), c.code);
    }
}

TEST(ToLunarCode, EdgesOfTheTableAndOfLeapMonths)
{
    ExpectCodes({
        {1900, 12, 31, 0},       // before the table
        {1901, 1, 1, 1111},      // first date: read without asking the year before
        {1901, 2, 18, 1230},
        {1901, 2, 19, 101},
        {2020, 1, 24, 1230},
        {2020, 1, 25, 101},
        {2020, 5, 22, 430},
        {2020, 5, 23, -401},     // leap 4th month
        {2020, 6, 20, -429},     // its last day: a 29-day leap month
        {2020, 6, 21, 501},
        {2023, 3, 22, -201},
        {2023, 4, 20, 301},
        {1984, 11, 23, -1001},
        {1984, 12, 22, 1101},    // the ordinary month after the leap 10th month
        {2033, 12, 22, -1101},
        {2033, 12, 31, -1110},   // the one 31 December in a leap month
        {2034, 1, 1, -1111},     // so 1 January 2034 lies in that leap month too
        {2034, 1, 20, 1201},
        {2034, 2, 19, 101},
        {2025, 1, 28, 1229},
        {2025, 1, 29, 101},
        {2050, 12, 31, 1118},    // last date of the table
        {2051, 1, 1, 0},         // after it
        {1, 1, 1, 0},
        {9999, 12, 31, 0},
    });
}

TEST(ToLunarCode, MendedYearsFollowTheNewMoons)
{
    ExpectCodes({
        // 1989: a 30-day 6th month, then a 29-day 7th month.
        {1989, 7, 3, 601},
        {1989, 8, 1, 630},
        {1989, 8, 2, 701},
        {1989, 8, 30, 729},
        {1989, 8, 31, 801},
        // 2013: a 29-day 4th month, then a 30-day 5th month.
        {2013, 5, 10, 401},
        {2013, 6, 7, 429},
        {2013, 6, 8, 501},
        {2013, 7, 7, 530},
        {2013, 7, 8, 601},
    });
}

TEST(DayOfYear, CountsFromFirstJanuaryWithLeapYears)
{
    struct Case {
        int year, month, day, expected;
    };
    const Case cases[] = {
        {2021, 1, 1, 1},     {2000, 2, 29, 60},   {2021, 3, 1, 60},   {2000, 3, 1, 61},
        {1900, 3, 1, 60},    {2021, 12, 31, 365}, {2020, 12, 31, 366}, {2000, 12, 31, 366},
        {1900, 12, 31, 365},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        EXPECT_EQ(DayOfYear(EncodeDate(c.year, c.month, c.day)), c.expected);
        EXPECT_EQ(DayOfYear(EncodeDateTime(c.year, c.month, c.day, 23, 59, 0)), c.expected);
    }
}

}  // namespace
