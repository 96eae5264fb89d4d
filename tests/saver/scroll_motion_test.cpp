#include "saver/scroll_motion.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// The default layout on a 1080-pixel screen: title 162, N 432, StartEnd 734, ltw 864.
const ScrollBlockTops kPlaced{162, 432, 734, 864};
constexpr int kScreenHeight = 1080;
constexpr int kLtwHeight = 40;

ScrollMotion Motion(int step, bool scrolling = true)
{
    return ScrollMotion(CaptureScrollLayout(kPlaced, step, kScreenHeight), kPlaced, scrolling);
}

void ExpectOffsetsKept(const ScrollBlockTops& tops)
{
    EXPECT_EQ(tops.title - tops.n, 162 - 432);
    EXPECT_EQ(tops.title - tops.startEnd, 162 - 734);
    EXPECT_EQ(tops.title - tops.ltw, 162 - 864);
}

TEST(ScrollMotion, FirstTickRestsOneStepAboveHomeAndPauses)
{
    for (const int step : {1, 2, 3}) {
        SCOPED_TRACE(step);
        ScrollMotion motion = Motion(step);
        EXPECT_EQ(motion.phase(), ScrollPhase::Moving);
        motion.Timer_scrollTimer(kLtwHeight);
        EXPECT_EQ(motion.phase(), ScrollPhase::Pausing);
        EXPECT_EQ(motion.tops().title, 162 - step);
        ExpectOffsetsKept(motion.tops());
        // Scroll ticks that arrive while pausing move nothing.
        motion.Timer_scrollTimer(kLtwHeight);
        EXPECT_EQ(motion.tops().title, 162 - step);
    }
}

TEST(ScrollMotion, FullCycleWrapsAfterTheCalendarLineLeavesAndComesBackToRest)
{
    ScrollMotion motion = Motion(3);
    motion.Timer_scrollTimer(kLtwHeight);  // the first pause
    motion.Timer_delayTimer();
    ASSERT_EQ(motion.phase(), ScrollPhase::Moving);

    int ticks = 0;
    int wrapTick = 0;
    while (motion.phase() == ScrollPhase::Moving && ticks < 10000) {
        const ScrollBlockTops before = motion.tops();
        motion.Timer_scrollTimer(kLtwHeight);
        ++ticks;
        const ScrollBlockTops& now = motion.tops();
        if (motion.phase() == ScrollPhase::Pausing)
            break;
        if (now.title > before.title) {
            // The wrap: the calendar line's bottom reached the top edge in this tick, the title
            // jumps to the last row, and the others stay where this tick's step put them.
            EXPECT_EQ(wrapTick, 0);
            wrapTick = ticks;
            EXPECT_EQ(now.title, kScreenHeight - 1);
            EXPECT_LE(now.ltw + kLtwHeight, 0);
            EXPECT_GT(before.ltw + kLtwHeight, 0);
            EXPECT_EQ(now.ltw, before.ltw - 3);
        } else {
            EXPECT_EQ(now.title, before.title - 3);
            ExpectOffsetsKept(now);
        }
    }
    ASSERT_EQ(motion.phase(), ScrollPhase::Pausing);
    EXPECT_EQ(motion.tops().title, 162 - 3);
    ExpectOffsetsKept(motion.tops());
    // From 159 the title needs 301 ticks to -744, where the calendar line (702 lower, 40 high)
    // has left; from the bottom row 1079 it needs 305 ticks to 164, within a step of home.
    EXPECT_EQ(wrapTick, 301);
    EXPECT_EQ(ticks, 301 + 305);
}

TEST(ScrollMotion, OddSteps)
{
    // Step 0 never moves; every scroll tick ends in a pause and the timers alternate for ever.
    ScrollMotion still = Motion(0);
    for (int i = 0; i < 5; ++i) {
        still.Timer_scrollTimer(kLtwHeight);
        EXPECT_EQ(still.phase(), ScrollPhase::Pausing);
        EXPECT_EQ(still.tops(), kPlaced);
        still.Timer_delayTimer();
        EXPECT_EQ(still.phase(), ScrollPhase::Moving);
    }

    // A negative step moves the block down and it never wraps nor rests.
    ScrollMotion down = Motion(-2);
    for (int i = 1; i <= 2000; ++i) {
        down.Timer_scrollTimer(kLtwHeight);
        ASSERT_EQ(down.phase(), ScrollPhase::Moving);
        ASSERT_EQ(down.tops().title, 162 + 2 * i);
    }
    ExpectOffsetsKept(down.tops());

    // A huge downward step saturates instead of overflowing.
    ScrollMotion plunge = Motion(-2000000000);
    for (int i = 0; i < 4; ++i)
        plunge.Timer_scrollTimer(kLtwHeight);
    EXPECT_EQ(plunge.phase(), ScrollPhase::Moving);
    EXPECT_EQ(plunge.tops().title, INT_MAX);
}

TEST(ScrollMotion, StillNeverMoves)
{
    ScrollMotion motion = Motion(1, false);
    motion.Timer_scrollTimer(kLtwHeight);
    motion.Timer_delayTimer();
    EXPECT_EQ(motion.phase(), ScrollPhase::Still);
    EXPECT_EQ(motion.tops(), kPlaced);
}

TEST(ScrollMotion, WrapWaitsForTheCalendarLineEvenWhenAnotherLabelIsLower)
{
    // N placed below the calendar line: it is still on screen when the line leaves the top.
    const ScrollBlockTops placed{100, 600, 300, 200};
    ScrollMotion motion(CaptureScrollLayout(placed, 50, kScreenHeight), placed, true);
    motion.Timer_scrollTimer(kLtwHeight);
    motion.Timer_delayTimer();
    ScrollBlockTops before;
    do {
        before = motion.tops();
        motion.Timer_scrollTimer(kLtwHeight);
    } while (motion.tops().title != kScreenHeight - 1);
    EXPECT_LE(motion.tops().ltw + kLtwHeight, 0);
    EXPECT_GT(motion.tops().n, 0);  // still visible, it jumps with the next tick
    motion.Timer_scrollTimer(kLtwHeight);
    EXPECT_EQ(motion.tops().n, kScreenHeight - 1 - 50 + 500);
}

}  // namespace
