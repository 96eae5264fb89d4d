// The user's regional formats, normalised so that what one run writes the next one reads.
#include <gtest/gtest.h>

#include "platform/regional_format.h"

namespace {

TEST(RegionalFormat, ShortDatesUseTheLocalesOrderAndSeparatorWithAFourDigitYear)
{
    const struct {
        const char* locale;
        const char* expected;
    } cases[] = {
        {"zh_CN", "2004/10/2"}, {"en_US", "10/2/2004"}, {"en_GB", "02/10/2004"},
        {"de_DE", "02.10.2004"}, {"nl_NL", "02-10-2004"}, {"sk_SK", "2. 10. 2004"},
        {"ar_EG", "2/10/2004"},  // ASCII digits, no right-to-left marks
    };
    for (const auto& c : cases) {
        const QLocale locale(c.locale);
        EXPECT_EQ(FormatShortDate(EncodeDateTime(2004, 10, 2, 23, 59, 0), locale), c.expected)
            << c.locale;
        EXPECT_EQ(ParseShortDate(c.expected, locale), EncodeDate(2004, 10, 2)) << c.locale;
    }
}

TEST(RegionalFormat, EveryDateRoundTripsUnderTwoLocales)
{
    for (const char* name : {"zh_CN", "de_DE"}) {
        const QLocale locale(name);
        // Every month length and leap rule, the century year 2000 included.
        for (DateTime day = EncodeDate(1999, 1, 1); day <= EncodeDate(2030, 12, 31); day += 1) {
            const std::string text = FormatShortDate(day, locale);
            ASSERT_EQ(ParseShortDate(text, locale), day) << name << ": " << text;
        }
    }
}

TEST(RegionalFormat, TextOfAnotherFormatOrNoRealDateDoesNotParse)
{
    const QLocale zh("zh_CN");
    for (const char* text : {"2004-10-2", "10/2/2004", "04/10/2", "2004/2/30", "2004/13/1",
                             "2004/10/2x", "2004/10/", "", "2004/010/2"})
        EXPECT_EQ(ParseShortDate(text, zh), std::nullopt) << text;
    EXPECT_EQ(ParseShortDate("2004/10/2", QLocale("en_US")), std::nullopt);
    EXPECT_EQ(ParseShortDate("2024/2/29", zh), EncodeDate(2024, 2, 29));
    EXPECT_EQ(ParseShortDate("1900/2/29", zh), std::nullopt);
    EXPECT_EQ(ParseShortDate("2004/01/02", zh), EncodeDate(2004, 1, 2));
}

TEST(RegionalFormat, LongTimeHasSecondsButNoZone)
{
    const struct {
        const char* locale;
        QString expected;
    } cases[] = {
        {"zh_CN", "13:05:07"},
        {"en_US", "1:05:07 PM"},
        {"zh_TW", "下午1:05:07"},
        {"fa_IR", "۱۳:۰۵:۰۷"},  // its zone name sat in brackets
        {"ko_KR", "오후 1시 5분 7초"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LongTimeText(13, 5, 7, QLocale(c.locale)), c.expected) << c.locale;
}

TEST(RegionalFormat, WeekdayNamesAreFull)
{
    const DateTime thursday = EncodeDateTime(2024, 1, 11, 9, 30, 0);
    EXPECT_EQ(WeekdayName(thursday, QLocale("zh_CN")), QString("星期四"));
    EXPECT_EQ(WeekdayName(thursday, QLocale("en_US")), QString("Thursday"));
    EXPECT_EQ(WeekdayName(EncodeDate(1899, 12, 30), QLocale("en_US")), QString("Saturday"));
}

}  // namespace
