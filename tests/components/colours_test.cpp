#include "components/colours.h"

#include <gtest/gtest.h>

TEST(Colours, StoredValuesHoldRedInTheLowestByte)
{
    struct Case { int32_t stored; QColor colour; };
    const Case cases[] = {
        {255, QColor(255, 0, 0)},
        {0xFF0000, QColor(0, 0, 255)},
        {4473924, QColor(68, 68, 68)},
        {16777215, QColor(255, 255, 255)},
        {0x00123456, QColor(0x56, 0x34, 0x12)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ColorFromWindows(c.stored), c.colour) << c.stored;
        EXPECT_EQ(ColorToWindows(c.colour), c.stored) << c.stored;
    }
}

TEST(Colours, SystemColourValuesReadAsTheUsualScheme)
{
    EXPECT_EQ(ColorFromWindows(int32_t(0x80000008)), QColor(0, 0, 0));          // window text
    EXPECT_EQ(ColorFromWindows(int32_t(0x8000000F)), QColor(240, 240, 240));    // button face
    EXPECT_EQ(ColorFromWindows(int32_t(0x80000005)), QColor(255, 255, 255));    // window
    EXPECT_EQ(ColorFromWindows(int32_t(0x800000FF)), QColor(0, 0, 0));          // unknown index
    EXPECT_EQ(ColorToWindows(QColor::fromHsv(0, 255, 255)), 255) << "any colour model stores as RGB";
}
