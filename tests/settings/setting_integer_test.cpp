// The integer encoding of the settings file.
#include <gtest/gtest.h>

#include <climits>

#include "settings/setting_integer.h"

TEST(SettingInteger, ParsesDecimalAndHexadecimalAndNothingElse)
{
    const struct {
        const char* text;
        std::optional<int> expected;
    } cases[] = {
        {"15780518", 15780518}, {"-5", -5}, {"+3", 3}, {"007", 7},
        {"$10", 16}, {"0x10", 16}, {"0X1f", 31}, {"-$10", -16}, {"$FFFFFFFF", -1},
        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {"2147483648", std::nullopt}, {"-2147483649", std::nullopt}, {"$100000000", std::nullopt},
        {"", std::nullopt}, {"-", std::nullopt}, {"$", std::nullopt}, {"0x", std::nullopt},
        {"10abc", std::nullopt}, {"1 2", std::nullopt}, {"true", std::nullopt},
        {"$1G", std::nullopt}, {"1.5", std::nullopt}, {"x10", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseSettingInteger(c.text), c.expected) << '"' << c.text << '"';
}
