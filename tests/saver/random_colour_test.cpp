#include "saver/random_colour.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(RandomColour, KnownDrawsGiveKnownColours)
{
    struct Case {
        double r1, r2, r3;
        RgbColour colour;
    };
    const Case cases[] = {
        {0, 0, 0, {134, 19, 19}},            // H 0, S 0.75, L 0.3
        {1.0 / 3.0, 0, 0, {19, 134, 19}},    // green
        {2.0 / 3.0, 0, 0, {19, 19, 134}},    // blue
        {0.5, 0, 0, {19, 134, 134}},         // cyan
        {1.0 / 6.0, 0.5, 0.5, {203, 203, 14}},  // S 0.875, L 0.425: yellow
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.r1 << ", " << c.r2 << ", " << c.r3);
        EXPECT_EQ(RandomStrongColour(c.r1, c.r2, c.r3), c.colour);
    }
}

TEST(RandomColour, NeverGreyNeverDarkNeverPale)
{
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 5; ++j)
            for (int k = 0; k < 5; ++k) {
                const RgbColour c = RandomStrongColour(i / 20.0, j / 5.0, k / 5.0);
                const int high = std::max({c.red, c.green, c.blue});
                const int low = std::min({c.red, c.green, c.blue});
                EXPECT_GE(high - low, 100) << i << " " << j << " " << k;
                EXPECT_LT(low, 128);
                EXPECT_GT(high, 128);
            }
}

}  // namespace
