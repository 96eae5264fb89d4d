// The settings file on disk: typed values, failures that leave the file as it was, atomic writes.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "settings/settings_file.h"
#include "support/temp_dir.h"

namespace {

mode_t ModeOf(const std::string& path)
{
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

std::vector<std::string> FileNames(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST(SettingsFile, ReadsTypedValuesWithTheirDefaults)
{
    TempDir dir;
    const std::string path = dir.file("ScreenSaver.ini");
    WriteFileBytes(path,
                   "[System]\r\n"
                   "Title=  \xB9\xA4\xD7\xF7\xCA\xD2\r\n"  // 工作室 after blanks
                   "Hex=0x10\r\nDollar=$10\r\nJunk=12px\r\nEmpty=\r\n"
                   "Word=true\r\nFive=5\r\nZero=0\r\n"
                   "BadDate=2004-13-45\r\n");
    const SettingsFile file(path);
    EXPECT_EQ(file.ReadString("System", "Title", "x"), "工作室");
    EXPECT_EQ(file.ReadString("System", "Missing", "默认"), "默认");
    EXPECT_EQ(file.ReadInteger("System", "Hex", -1), 16);
    EXPECT_EQ(file.ReadInteger("System", "Dollar", -1), 16);
    EXPECT_EQ(file.ReadInteger("System", "Junk", -1), -1);
    EXPECT_EQ(file.ReadInteger("System", "Empty", -1), -1);
    // A word is no integer, so either default applies; any non-zero integer is true.
    EXPECT_TRUE(file.ReadBool("System", "Word", true));
    EXPECT_FALSE(file.ReadBool("System", "Word", false));
    EXPECT_TRUE(file.ReadBool("System", "Five", false));
    EXPECT_FALSE(file.ReadBool("System", "Zero", true));
    const DateTime fallback = EncodeDate(2004, 10, 2);
    EXPECT_EQ(file.ReadDate("System", "BadDate", fallback), fallback);
    EXPECT_EQ(file.ReadDate("System", "Empty", fallback), fallback);

    const SettingsFile missing(dir.file("absent.ini"));
    EXPECT_EQ(missing.ReadInteger("System", "Hex", 42), 42);
    EXPECT_TRUE(FileNames(dir.path()).size() == 1) << "reading must not create a file";
}

TEST(SettingsFile, WritesTypedValuesThatReadBack)
{
    TempDir dir;
    SettingsFile file(dir.file("ScreenSaver.ini"));
    file.WriteString("System", "Title", "Tarnik工作室成立至今");
    file.WriteInteger("Pure", "BKColor", 15780518);
    file.WriteInteger("LOGO", "Left", -5);
    file.WriteBool("System", "Lunar", true);
    file.WriteBool("System", "Time", false);
    const DateTime date = EncodeDateTime(2024, 2, 29, 17, 45, 0);
    file.WriteDate("System", "StartDate", date);
    file.Close();

    EXPECT_EQ(file.ReadString("System", "Title", ""), "Tarnik工作室成立至今");
    EXPECT_EQ(file.ReadInteger("Pure", "BKColor", 0), 15780518);
    EXPECT_EQ(file.ReadInteger("LOGO", "Left", 0), -5);
    EXPECT_EQ(file.ReadString("System", "Lunar", ""), "1");
    EXPECT_EQ(file.ReadString("System", "Time", ""), "0");
    EXPECT_EQ(file.ReadDate("System", "StartDate", 0), EncodeDate(2024, 2, 29));  // day only

    // A boolean stored as 5 reads true and is written back as 1.
    SettingsFile five(dir.file("five.ini"));
    WriteFileBytes(five.path(), "[System]\r\nADDONE=5\r\n");
    five.WriteBool("System", "ADDONE", five.ReadBool("System", "ADDONE", false));
    EXPECT_EQ(ReadFileBytes(five.path()), "[System]\r\nADDONE=1\r\n");
}

TEST(SettingsFile, AFailedWriteReportsThePathAndLeavesTheFileAsItWas)
{
    TempDir dir;
    const std::string original = "[System]\r\nTitle=old\r\n";

    // A read-only file, in a folder that would let it be replaced.
    const std::string readOnly = dir.file("readonly.ini");
    WriteFileBytes(readOnly, original);
    chmod(readOnly.c_str(), 0444);
    SettingsFile file(readOnly);
    try {
        file.WriteString("System", "Title", "new");
        FAIL() << "the write must fail";
    } catch (const SettingsWriteError& error) {
        EXPECT_STREQ(error.what(), ("Unable to write to " + readOnly).c_str());
        EXPECT_EQ(error.path(), readOnly);
    }
    EXPECT_EQ(ReadFileBytes(readOnly), original);
    EXPECT_EQ(ModeOf(readOnly), 0444u);

    // A read-only folder: neither an existing file nor a new one can be written.
    const std::string folder = dir.file("locked");
    std::filesystem::create_directory(folder);
    WriteFileBytes(folder + "/ScreenSaver.ini", original);
    chmod(folder.c_str(), 0555);
    SettingsFile inLocked(folder + "/ScreenSaver.ini");
    EXPECT_THROW(inLocked.WriteInteger("System", "Mode", 1), SettingsWriteError);
    SettingsFile newInLocked(folder + "/new.ini");
    EXPECT_THROW(newInLocked.WriteBool("System", "Time", true), SettingsWriteError);
    EXPECT_EQ(ReadFileBytes(folder + "/ScreenSaver.ini"), original);
    EXPECT_EQ(FileNames(folder).size(), 1u);

    // A path that exists but is no readable file must not be replaced by a file of one key.
    const std::string notAFile = dir.file("folder.ini");
    std::filesystem::create_directory(notAFile);
    SettingsFile odd(notAFile);
    EXPECT_EQ(odd.ReadInteger("System", "Mode", 3), 3);
    EXPECT_THROW(odd.WriteInteger("System", "Mode", 1), SettingsWriteError);
    EXPECT_TRUE(std::filesystem::is_directory(notAFile));
}

TEST(SettingsFile, RefusesTextWithoutACodePage936FormNamingTheKey)
{
    TempDir dir;
    const std::string path = dir.file("ScreenSaver.ini");
    const std::string original = "[System]\r\nTitle=old\r\n";
    WriteFileBytes(path, original);
    SettingsFile file(path);
    try {
        file.WriteString("System", "Title", "Café ☕ 😀");
        FAIL() << "the write must fail";
    } catch (const SettingsEncodingError& error) {
        EXPECT_EQ(error.key(), "Title");
        EXPECT_NE(std::string(error.what()).find("\"Title\""), std::string::npos) << error.what();
    }
    EXPECT_THROW(file.WriteString("System", "DH", "a\nb"), SettingsEncodingError);
    EXPECT_EQ(ReadFileBytes(path), original);

    EXPECT_TRUE(HasCodePage936Form("Tarnik工作室成立至今 €"));
    EXPECT_FALSE(HasCodePage936Form("😀"));
    EXPECT_FALSE(IsStorableSettingText("两\r\n行"));
}

TEST(SettingsFile, AWriteKeepsPermissionsAndSymbolicLinks)
{
    TempDir dir;
    const std::string target = dir.file("real.ini");
    const std::string link = dir.file("ScreenSaver.ini");
    WriteFileBytes(target, "[System]\r\nMode=0\r\n");
    chmod(target.c_str(), 0640);
    std::filesystem::create_symlink(target, link);

    SettingsFile file(link);
    file.WriteInteger("System", "Mode", 1);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(target), "[System]\r\nMode=1\r\n");
    EXPECT_EQ(ModeOf(target), 0640u);
    EXPECT_EQ(FileNames(dir.path()).size(), 2u) << "no temporary file stays behind";
}

TEST(SettingsFile, AKilledWriterLeavesTheOldFileOrTheNewOne)
{
    TempDir dir;
    const std::string path = dir.file("ScreenSaver.ini");
    // Large values make a write take long enough to be caught in the middle.
    const std::string a(200000, 'a');
    const std::string b(200000, 'b');
    const std::string withA = "[System]\r\nTitle=" + a + "\r\n";
    const std::string withB = "[System]\r\nTitle=" + b + "\r\n";
    WriteFileBytes(path, withA);

    std::mt19937 random(12345);
    for (int round = 0; round < 20; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SettingsFile file(path);
            for (int i = 0;; ++i)
                file.WriteString("System", "Title", i % 2 ? a : b);
        }
        usleep(1000 + random() % 20000);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string bytes = ReadFileBytes(path);
        ASSERT_TRUE(bytes == withA || bytes == withB) << "round " << round << ": "
                                                      << bytes.size() << " bytes";
    }
}

}  // namespace
