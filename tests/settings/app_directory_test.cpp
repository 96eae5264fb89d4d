// The folder of the running executable, where every side file lives.
#include <gtest/gtest.h>

#include <filesystem>

#include "settings/app_directory.h"

TEST(AppDirectory, IsTheExecutablesFolderWithATrailingSeparator)
{
    const std::string expected =
        std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/";
    EXPECT_EQ(AppDirectory(), expected);
    EXPECT_EQ(SettingsFilePath(), expected + "ScreenSaver.ini");
}

TEST(AppDirectory, KeepsEverythingUpToTheLastSeparator)
{
    const std::string deep = "/" + std::string(300, 'd') + "/saver/";  // no 260-character cut
    const struct {
        std::string path;
        std::string expected;
    } cases[] = {
        {"/opt/saver/tarnik-saver", "/opt/saver/"},
        {"/tarnik-saver", "/"},
        {deep + "tarnik-saver", deep},
        {"tarnik-saver", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DirectoryWithSeparator(c.path), c.expected) << c.path;
}
