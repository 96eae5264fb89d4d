#include "saver/picture_rotation.h"

#include <gtest/gtest.h>

namespace {

DateTime At(int hour, int minute, int second, int ms = 0)
{
    return EncodeDateTime(2024, 1, 11, hour, minute, second, ms);
}

TEST(PictureRotation, DueAfterTheIntervalInWholeSecondsEitherWay)
{
    const DateTime start = At(9, 30, 0, 500);
    struct Case {
        const char* name;
        bool armed;
        int interval;
        DateTime now;
        bool due;
    };
    const Case cases[] = {
        {"59.9 s", true, 60, At(9, 31, 0, 400), false},
        {"exactly 60 s", true, 60, At(9, 31, 0, 500), true},
        {"61 s", true, 60, At(9, 31, 1, 500), true},
        {"not armed", false, 60, At(10, 0, 0), false},
        {"interval 0 on the next tick", true, 0, At(9, 30, 2, 500), true},
        {"interval 0 at once", true, 0, start, true},
        {"negative interval", true, -5, start, true},
        {"clock set back by more than the interval", true, 60, At(9, 0, 0), true},
        {"clock set back a little", true, 60, At(9, 29, 30), false},
        {"a day later", true, 1000, start + 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PictureReplacementDue({c.armed, c.interval, start}, c.now), c.due);
    }
}

TEST(PictureRotation, WholeSecondsDoNotLoseASecondToRounding)
{
    // Encoded as days, many whole-second distances come out a hair short of their true value.
    for (int seconds = 0; seconds < 100000; seconds += 7) {
        const DateTime a = At(0, 0, 0) + 0.123;
        const DateTime b = a + seconds / 86400.0;
        ASSERT_EQ(WholeSecondsBetween(a, b), seconds);
        ASSERT_EQ(WholeSecondsBetween(b, a), seconds);
    }
}

}  // namespace
