// The calendar line's texts: month and day names, festivals, the eve, stem and branch.

#include <gtest/gtest.h>

#include "calendar/lunar_calendar.h"

namespace {

struct TextCase {
    int year, month, day;
    const char* date_text;
    const char* stem;
    const char* branch;
};

TEST(CalendarTexts, DateStemAndBranch)
{
    const TextCase cases[] = {
        {2020, 1, 24, "十二月三十 除夕", "己", "亥(猪)"},   // eve after a 30-day 12th month
        {2020, 1, 25, "正月初一 春节", "庚", "子(鼠)"},
        {2020, 2, 8, "正月十五 元宵节", "庚", "子(鼠)"},
        {2020, 5, 27, "闰四初五", "庚", "子(鼠)"},          // no "月" after a leap month
        {2020, 6, 25, "五月初五 端午节", "庚", "子(鼠)"},
        {2009, 6, 27, "闰五初五", "己", "丑(牛)"},          // no festival in a leap month
        {2020, 8, 25, "七月初七 七夕节", "庚", "子(鼠)"},
        {2020, 10, 1, "八月十五 中秋节", "庚", "子(鼠)"},
        {1995, 10, 9, "闰八十五", "乙", "亥(猪)"},
        {2020, 10, 25, "九月初九 重阳节", "庚", "子(鼠)"},
        {2021, 1, 20, "十二月初八 腊八节", "庚", "子(鼠)"},
        {2023, 1, 29, "正月初八", "癸", "卯(兔)"},          // 初八 is 腊八 only in the 12th month
        {2025, 1, 28, "十二月廿九 除夕", "甲", "辰(龙)"},   // eve on the 29th
        {2025, 1, 29, "正月初一 春节", "乙", "巳(蛇)"},
        {2023, 3, 22, "闰二初一", "癸", "卯(兔)"},          // March in a leap 2nd month
        {2034, 1, 1, "闰十一十一", "癸", "丑(牛)"},         // January in a leap 11th month
        {1984, 11, 23, "闰十初一", "甲", "子(鼠)"},
        {1901, 1, 1, "十一月十一", "庚", "子(鼠)"},         // before 1974 and 1972
        {2050, 12, 31, "十一月十八", "庚", "午(马)"},       // no next day in the table
        {2024, 1, 11, "十二月初一", "癸", "卯(兔)"},
        {2013, 6, 12, "五月初五 端午节", "癸", "巳(蛇)"},   // the mended 2013
        {1989, 8, 1, "六月三十", "己", "巳(蛇)"},           // the mended 1989
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        const DateTime date = EncodeDateTime(c.year, c.month, c.day, 9, 30, 0);
        EXPECT_EQ(LunarDateText(date), c.date_text);
        EXPECT_EQ(LunarMonthText(date) + LunarDayText(date), c.date_text);
        EXPECT_EQ(YearStemText(date), c.stem);
        EXPECT_EQ(YearBranchText(date), c.branch);
    }
}

TEST(CalendarTexts, MonthAndDayTextsApart)
{
    const DateTime leap_day = EncodeDate(2020, 5, 27);
    EXPECT_EQ(LunarMonthText(leap_day), "闰四");
    EXPECT_EQ(LunarDayText(leap_day), "初五");
    const DateTime new_year = EncodeDate(2020, 1, 25);
    EXPECT_EQ(LunarMonthText(new_year), "正月");
    EXPECT_EQ(LunarDayText(new_year), "初一 春节");
    EXPECT_EQ(LunarMonthText(EncodeDate(2034, 1, 1)), "闰十一");
    EXPECT_EQ(LunarMonthText(EncodeDate(1901, 1, 1)), "十一月");
}

TEST(CalendarTexts, OutsideTheTableOnlyStemAndBranchRemain)
{
    const struct {
        int year, month, day;
        const char* stem;
        const char* branch;
    } cases[] = {
        {2051, 6, 1, "辛", "未(羊)"},
        {2051, 1, 1, "辛", "未(羊)"},   // no lunar month, so January takes no year back
        {1900, 12, 31, "庚", "子(鼠)"},
        {1864, 2, 1, "甲", "子(鼠)"},   // far before both base years
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        const DateTime date = EncodeDate(c.year, c.month, c.day);
        EXPECT_EQ(LunarMonthText(date), "");
        EXPECT_EQ(LunarDayText(date), "");
        EXPECT_EQ(LunarDateText(date), "");
        EXPECT_EQ(YearStemText(date), c.stem);
        EXPECT_EQ(YearBranchText(date), c.branch);
    }
}

}  // namespace
