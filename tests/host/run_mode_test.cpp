#include "host/run_mode.h"

#include <gtest/gtest.h>

namespace {

struct ModeCase {
    const char* firstArgument;
    RunMode expected;
};

TEST(RunModeTest, FirstArgumentDecidesTheMode)
{
    const ModeCase cases[] = {
        // No argument at all opens the settings dialog.
        ModeCase{"", RunMode::Config},
        ModeCase{"/c", RunMode::Config}, ModeCase{"/C", RunMode::Config},
        ModeCase{"-C", RunMode::Config}, ModeCase{"-c", RunMode::Config},
        ModeCase{"c", RunMode::Config}, ModeCase{"Configure", RunMode::Config},
        // The window number after the colon plays no part.
        ModeCase{"/c:1234", RunMode::Config},
        ModeCase{"/p", RunMode::Preview}, ModeCase{"/P", RunMode::Preview},
        ModeCase{"-p", RunMode::Preview}, ModeCase{"P", RunMode::Preview},
        ModeCase{"p", RunMode::Preview}, ModeCase{"/PREVIEW", RunMode::Preview},
        ModeCase{"/p:1234", RunMode::Preview}, ModeCase{"print", RunMode::Preview},
        // The saver switch in either case and with either prefix, and everything else.
        ModeCase{"/s", RunMode::Saver}, ModeCase{"/S", RunMode::Saver},
        ModeCase{"-s", RunMode::Saver}, ModeCase{"-S", RunMode::Saver},
        ModeCase{"/x", RunMode::Saver}, ModeCase{"--snapshot", RunMode::Saver},
        ModeCase{"hello", RunMode::Saver}, ModeCase{"/", RunMode::Saver},
        ModeCase{"-", RunMode::Saver}, ModeCase{" /c", RunMode::Saver},
        ModeCase{"屏保", RunMode::Saver}, ModeCase{"1234", RunMode::Saver}};
    for (const ModeCase& c : cases)
        EXPECT_EQ(RunModeFor(c.firstArgument), c.expected) << "first argument: '" << c.firstArgument << "'";
}

TEST(AsciiUpperTest, ChangesOnlyAsciiLetters)
{
    EXPECT_EQ(AsciiUpper("/c:12ab"), "/C:12AB");
    EXPECT_EQ(AsciiUpper("é屏z"), "é屏Z");
}

}  // namespace
