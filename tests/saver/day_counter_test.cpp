#include "saver/day_counter.h"

#include <gtest/gtest.h>

namespace {

struct DayCounterCase {
    const char* name;
    DateTime startDate;
    DateTime now;
    bool addOne;
    const char* prefix;
    const char* counter;
    const char* range;
};

TEST(DayCounter, CountsAndRangesFollowCalendarDays)
{
    const DateTime morning = EncodeDateTime(2024, 1, 11, 9, 30, 0);
    const DateTime lateEvening = EncodeDateTime(2024, 1, 11, 23, 59, 59, 999);
    const DayCounterCase cases[] = {
        {"past", EncodeDate(2024, 1, 1), morning, false, "第", "第 10 天",
         "2024年1月1日 至 2024年1月11日"},
        {"past with AddOne", EncodeDate(2024, 1, 1), morning, true, "第", "第 11 天",
         "2024年1月1日 至 2024年1月11日"},
        {"nine days ahead", EncodeDate(2024, 1, 20), morning, false, "第", "第 8 天",
         "2024年1月11日 至 2024年1月20日"},
        {"nine days ahead with AddOne", EncodeDate(2024, 1, 20), morning, true, "剩", "剩 9 天",
         "2024年1月11日 至 2024年1月20日"},
        {"today", EncodeDate(2024, 1, 11), morning, false, "第", "第 0 天",
         "2024年1月11日 至 2024年1月11日"},
        {"today with AddOne", EncodeDate(2024, 1, 11), morning, true, "第", "第 1 天",
         "2024年1月11日 至 2024年1月11日"},
        {"today at midnight", EncodeDate(2024, 1, 11), EncodeDate(2024, 1, 11), false, "第",
         "第 0 天", "2024年1月11日 至 2024年1月11日"},
        {"tomorrow", EncodeDate(2024, 1, 12), lateEvening, false, "第", "第 0 天",
         "2024年1月11日 至 2024年1月12日"},
        {"tomorrow at midnight exactly", EncodeDate(2024, 1, 12), EncodeDate(2024, 1, 11), false,
         "第", "第 1 天", "2024年1月11日 至 2024年1月12日"},
        {"empty prefix", EncodeDate(2023, 12, 30), morning, false, "", " 12 天",
         "2023年12月30日 至 2024年1月11日"},
        {"across a leap day", EncodeDate(2024, 2, 28), EncodeDateTime(2024, 3, 1, 0, 0, 1), false,
         "第", "第 2 天", "2024年2月28日 至 2024年3月1日"},
        {"default start, twenty years on", EncodeDate(2004, 10, 2), morning, false, "第",
         "第 7040 天", "2004年10月2日 至 2024年1月11日"},
    };
    for (const DayCounterCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DayCounterText(c.prefix, DayCount(c.startDate, c.now, c.addOne)), c.counter);
        EXPECT_EQ(DateRangeText(c.startDate, c.now), c.range);
    }
}

TEST(DayCounter, KDaysAheadCountsKMinusOneAfterMidnight)
{
    const DateTime now = EncodeDateTime(2024, 6, 1, 0, 0, 1);
    for (int k = 1; k <= 400; k += 37) {
        SCOPED_TRACE(k);
        const DateTime start = EncodeDate(2024, 6, 1) + k;
        EXPECT_EQ(DayCount(start, now, false), k - 1);
        EXPECT_EQ(DayCount(start, now, true), k);
    }
}

}  // namespace
