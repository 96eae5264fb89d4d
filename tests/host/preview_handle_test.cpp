#include "host/preview.h"

#include <gtest/gtest.h>

namespace {

TEST(PreviewHandleTest, AcceptsDecimalWindowNumbersOnly)
{
    EXPECT_EQ(ParseWindowHandle("1234"), 1234UL);
    EXPECT_EQ(ParseWindowHandle("0"), 0UL);
    EXPECT_EQ(ParseWindowHandle("2147483647"), 2147483647UL);
    for (const char* bad : {"", "12x", "x12", "-5", " 12", "0x10", "1.5", "2147483648",
                            "99999999999"})
        EXPECT_FALSE(ParseWindowHandle(bad).has_value()) << "'" << bad << "'";
}

TEST(PreviewHandleTest, ConversionErrorNamesTheText)
{
    EXPECT_EQ(InvalidIntegerMessage("abc"), "'abc' is not a valid integer value");
    EXPECT_EQ(InvalidIntegerMessage(""), "'' is not a valid integer value");
}

}  // namespace
