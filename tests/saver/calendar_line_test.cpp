#include "saver/calendar_line.h"

#include <gtest/gtest.h>

namespace {

TEST(CalendarLine, EightShapes)
{
    const QString lunar = QStringLiteral("癸卯(兔)年 十二月初一");
    const QString time = QStringLiteral("9:30:00");
    const QString week = QStringLiteral("星期四");
    struct Case {
        bool lunar, time, week;
        const char* line;
    };
    const Case cases[] = {
        {true, true, true, "癸卯(兔)年 十二月初一  9:30:00  星期四"},
        {true, true, false, "癸卯(兔)年 十二月初一  9:30:00"},
        {true, false, true, "癸卯(兔)年 十二月初一  星期四"},
        {true, false, false, "癸卯(兔)年 十二月初一"},
        {false, true, true, "9:30:00  星期四"},
        {false, true, false, "9:30:00"},
        {false, false, true, "星期四"},
        {false, false, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(ComposeCalendarLine({c.lunar, c.time, c.week}, lunar, time, week),
                  QString::fromUtf8(c.line));
    }
}

TEST(CalendarLine, TrimsSpacesAndControlCharactersAtTheEndsOnly)
{
    EXPECT_EQ(TrimControlAndSpace(QStringLiteral("\t\x01 a  b \r\n")), QStringLiteral("a  b"));
    // An ideographic space is text, not padding.
    EXPECT_EQ(TrimControlAndSpace(QStringLiteral("\u3000星期四 ")), QStringLiteral("\u3000星期四"));
    EXPECT_EQ(ComposeCalendarLine({true, true, true}, QStringLiteral(""), QStringLiteral(" 9:30:00 "),
                                  QStringLiteral("")),
              QStringLiteral("9:30:00"));
}

TEST(CalendarLine, LunarPartNamesTheLunarYearAndDate)
{
    // The twelfth lunar month still belongs to the previous year.
    EXPECT_EQ(LunarLineText(EncodeDate(2024, 1, 11)), "癸卯(兔)年 十二月初一");
    EXPECT_EQ(LunarLineText(EncodeDate(2024, 2, 10)), "甲辰(龙)年 正月初一 春节");
}

}  // namespace
