// The date-time value that the calendar, the day counter and the settings share.

#include <ostream>

#include <gtest/gtest.h>

#include "calendar/date_time.h"

static void PrintTo(const CalendarDate& date, std::ostream* out)
{
    *out << date.year << "-" << date.month << "-" << date.day;
}

namespace {

struct KnownDate {
    int year, month, day;
    double value;
};

TEST(DateTime, KnownDatesEncodeAndDecode)
{
    const KnownDate cases[] = {
        {1899, 12, 30, 0},       {1899, 12, 29, -1},     {1900, 1, 1, 2},
        {1900, 3, 1, 61},        {1970, 1, 1, 25569},    {2000, 2, 29, 36585},
        {2024, 1, 1, 45292},     {1, 1, 1, -693593},     {9999, 12, 31, 2958465},
    };
    for (const KnownDate& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.value);
        EXPECT_EQ(DecodeDate(c.value), (CalendarDate{c.year, c.month, c.day}));
    }
}

TEST(DateTime, TimeOfDayBelongsToItsDateOnBothSidesOfTheEpoch)
{
    const DateTime evening = EncodeDateTime(2024, 1, 11, 23, 59, 59, 999);
    EXPECT_NEAR(evening - EncodeDate(2024, 1, 11), 86399999.0 / 86400000.0, 1e-9);
    EXPECT_EQ(DecodeDate(evening), (CalendarDate{2024, 1, 11}));
    EXPECT_EQ(DateOf(evening), EncodeDate(2024, 1, 11));

    // Before the epoch the fraction counts away from zero: -1.25 is 1899-12-29 06:00.
    EXPECT_DOUBLE_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0), -1.25);
    EXPECT_EQ(DecodeDate(-1.25), (CalendarDate{1899, 12, 29}));
    EXPECT_EQ(DateOf(-1.25), -1.0);
}

TEST(DateTime, MonthLengthsFollowTheGregorianLeapRule)
{
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
    EXPECT_EQ(DaysInMonth(2023, 12), 31);
}

}  // namespace
