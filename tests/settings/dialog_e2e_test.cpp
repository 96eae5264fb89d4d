// The real executable started without arguments on a real X server: it shows the settings
// dialog, Enter saves and ends it, Esc ends it without writing.

#include "support/process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

const char* const kDialogTitle = "Tarnik计时器屏保_设置";

// The X window id of the dialog once it is mapped, or empty after `milliseconds`.
std::string WaitForDialog(int milliseconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < deadline) {
        std::string id = RunCommand(std::string("xdotool search --onlyvisible --name '^") +
                                    kDialogTitle + "$' 2>/dev/null");
        if (const auto end = id.find('\n'); end != std::string::npos)
            id.resize(end);
        if (!id.empty())
            return id;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return {};
}

void PressKey(const std::string& window, const char* key)
{
    RunCommand("xdotool windowfocus --sync " + window + " key " + key + " 2>/dev/null");
}

}  // namespace

TEST(SettingsDialogProgram, ShowsTheDialogAndEnterSavesAndEndsIt)
{
    TempDir dir;
    const std::string program = CopySaverInto(dir.path());
    const auto started = std::chrono::steady_clock::now();
    const auto saver = std::make_unique<ChildProcess>(program, std::vector<std::string>{});
    const std::string window = WaitForDialog(20000);
    ASSERT_FALSE(window.empty()) << saver->standardError();
    const auto shown = std::chrono::steady_clock::now();
    std::cout << "[ measured ] start to dialog shown: "
              << std::chrono::duration_cast<std::chrono::milliseconds>(shown - started).count()
              << " ms\n";
    EXPECT_FALSE(std::filesystem::exists(dir.file("ScreenSaver.ini")));

    PressKey(window, "Return");
    ASSERT_TRUE(saver->waitForExit(20000)) << "the dialog did not end on Enter";
    EXPECT_EQ(saver->exitCode(), 0) << saver->standardError();

    const std::string text = ReadFileBytes(dir.file("ScreenSaver.ini"));
    EXPECT_EQ(text.rfind("[System]", 0), 0u) << text;
    // The positions come from the 1080-pixel screen of the X server the dialog ran on.
    EXPECT_NE(text.find("Title_top=162"), std::string::npos) << text;
    EXPECT_NE(text.find("LTW=864"), std::string::npos) << text;
    EXPECT_NE(text.find("WaterDirectory=" + dir.path() + "//pic"), std::string::npos) << text;
    EXPECT_NE(text.find("[LOGO]"), std::string::npos) << text;
}

TEST(SettingsDialogProgram, EscEndsItWithoutWriting)
{
    TempDir dir;
    const std::string program = CopySaverInto(dir.path());
    // A parent window handle given with the configuration switch is not used.
    const auto saver = std::make_unique<ChildProcess>(program, std::vector<std::string>{"/c:1234"});
    const std::string window = WaitForDialog(20000);
    ASSERT_FALSE(window.empty()) << saver->standardError();
    PressKey(window, "Escape");
    ASSERT_TRUE(saver->waitForExit(20000)) << "the dialog did not end on Esc";
    EXPECT_EQ(saver->exitCode(), 0) << saver->standardError();
    EXPECT_FALSE(std::filesystem::exists(dir.file("ScreenSaver.ini")));
}
