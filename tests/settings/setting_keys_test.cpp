// The declarative key table: defaults of both readers, screen-height positions, writing order.
#include <gtest/gtest.h>

#include "settings/setting_keys.h"
#include "settings/settings_file.h"
#include "support/temp_dir.h"

namespace {

TEST(SettingKeys, PositionDefaultsFollowTheScreenHeightForBothReaders)
{
    const struct {
        int height;
        int title, n, startEnd, ltw;
    } cases[] = {
        {1080, 162, 432, 734, 864},
        {768, 115, 307, 522, 614},
        {600, 90, 240, 408, 480},
        {1440, 216, 576, 979, 1152},
    };
    for (const auto& c : cases) {
        const DefaultContext context{c.height, "/opt/saver/"};
        for (SettingReader reader : {SettingReader::Saver, SettingReader::Dialog}) {
            EXPECT_EQ(DefaultInteger(Setting::TitleTop, reader, context), c.title) << c.height;
            EXPECT_EQ(DefaultInteger(Setting::NTop, reader, context), c.n) << c.height;
            EXPECT_EQ(DefaultInteger(Setting::StartEndTop, reader, context), c.startEnd)
                << c.height;
            EXPECT_EQ(DefaultInteger(Setting::LtwTop, reader, context), c.ltw) << c.height;
        }
    }
}

TEST(SettingKeys, TheReadersDifferWhereTheirDefaultsDiffer)
{
    TempDir dir;
    const SettingsFile none(dir.file("ScreenSaver.ini"));
    const DefaultContext context{1080, "/opt/saver/"};
    auto readBoth = [&](auto read, Setting setting) {
        return std::pair{read(none, setting, SettingReader::Saver, context),
                         read(none, setting, SettingReader::Dialog, context)};
    };
    EXPECT_EQ(readBoth(ReadBoolSetting, Setting::Lunar), std::pair(true, false));
    EXPECT_EQ(readBoth(ReadBoolSetting, Setting::Time), std::pair(true, true));
    EXPECT_EQ(readBoth(ReadBoolSetting, Setting::AddOne), std::pair(false, false));
    for (Setting logo : {Setting::LogoLeft, Setting::LogoTop, Setting::LogoWidth,
                         Setting::LogoHeight})
        EXPECT_EQ(readBoth(ReadIntegerSetting, logo), std::pair(30, 100));
    EXPECT_EQ(readBoth(ReadStringSetting, Setting::WaterDirectory),
              std::pair(std::string("/opt/saver/pic"), std::string("/opt/saver//pic")));
    EXPECT_EQ(readBoth(ReadStringSetting, Setting::Title),
              std::pair(std::string("Tarnik工作室成立至今"), std::string("Tarnik工作室成立至今")));
    EXPECT_EQ(readBoth(ReadDateSetting, Setting::StartDate),
              std::pair(EncodeDate(2004, 10, 2), EncodeDate(2004, 10, 2)));
    EXPECT_EQ(readBoth(ReadIntegerSetting, Setting::BKColor), std::pair(15780518, 15780518));
}

TEST(SettingKeys, TheDialogsLunarIsTheSaversLunar)
{
    TempDir dir;
    SettingsFile file(dir.file("ScreenSaver.ini"));
    WriteBoolSetting(file, Setting::Lunar, false);
    EXPECT_FALSE(file.ReadBool("System", "lunar", true));
    EXPECT_FALSE(ReadBoolSetting(file, Setting::Lunar, SettingReader::Saver, {}));
    EXPECT_THROW(WriteIntegerSetting(file, Setting::Lunar, 0), std::invalid_argument);
}

TEST(SettingKeys, AFirstSaveWritesSectionsAndKeysInTheDialogsOrder)
{
    TempDir dir;
    SettingsFile file(dir.file("ScreenSaver.ini"));
    const DefaultContext context{1080, "/opt/saver/"};
    auto writeDefault = [&](const SettingKeyInfo& info) {
        switch (info.type) {
        case SettingType::String:
            WriteStringSetting(file, info.id, DefaultString(info.id, SettingReader::Dialog, context));
            break;
        case SettingType::Integer:
            WriteIntegerSetting(file, info.id,
                                DefaultInteger(info.id, SettingReader::Dialog, context));
            break;
        case SettingType::Boolean:
            WriteBoolSetting(file, info.id, DefaultBool(info.id, SettingReader::Dialog, context));
            break;
        case SettingType::Date:
            WriteDateSetting(file, info.id, DefaultDate(info.id, SettingReader::Dialog, context));
            break;
        }
    };
    // The dialog writes the first System keys, then the four label styles, then the rest.
    const auto keys = AllSettingKeys();
    for (const SettingKeyInfo& info : keys.subspan(0, 7))
        writeDefault(info);
    for (const char* style : {"Title", "N", "StartEnd", "Week"})
        file.WriteString(style, "FontName", "宋体");
    for (const SettingKeyInfo& info : keys.subspan(7))
        writeDefault(info);

    std::string headers;
    std::string systemKeys;
    std::string section;
    const std::string bytes = ReadFileBytes(file.path());
    for (std::size_t start = 0, end; start < bytes.size(); start = end + 2) {
        end = bytes.find("\r\n", start);
        const std::string line = bytes.substr(start, end - start);
        if (line.front() == '[') {
            section = line;
            headers += line;
        } else if (section == "[System]") {
            systemKeys += line.substr(0, line.find('=')) + " ";
        }
    }
    EXPECT_EQ(headers, "[System][Title][N][StartEnd][Week][Water][Pure][Scroll][LOGO]");
    EXPECT_EQ(systemKeys, "Title DH StartDate ADDONE Lunar Time Week Title_top N_top StartEnd LTW "
                          "Mode ");
}

}  // namespace
