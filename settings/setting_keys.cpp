#include "settings/setting_keys.h"

#include <array>
#include <cstdint>
#include <stdexcept>

#include "settings/settings_file.h"

namespace {

constexpr SettingDefault Fixed(int number)
{
    return {DefaultKind::Fixed, number, 1, "", {}};
}

constexpr SettingDefault FixedText(const char* text)
{
    return {DefaultKind::Fixed, 0, 1, text, {}};
}

constexpr SettingDefault FixedDate(int year, int month, int day)
{
    return {DefaultKind::Fixed, 0, 1, "", {year, month, day}};
}

constexpr SettingDefault ScreenFraction(int numerator, int denominator)
{
    return {DefaultKind::ScreenFraction, numerator, denominator, "", {}};
}

constexpr SettingDefault InAppDirectory(const char* suffix)
{
    return {DefaultKind::AppDirectoryPath, 0, 1, suffix, {}};
}

using enum Setting;
using enum SettingType;

// Section by section in the order the dialog writes them; within System the order of a file the
// dialog writes first. The saver reads "lunar", "time" and "week": names compare without case.
constexpr std::array kKeys = {
    SettingKeyInfo{Title, "System", "Title", String, FixedText("Tarnik工作室成立至今"),
                   FixedText("Tarnik工作室成立至今")},
    SettingKeyInfo{DH, "System", "DH", String, FixedText("第"), FixedText("第")},
    SettingKeyInfo{StartDate, "System", "StartDate", Date, FixedDate(2004, 10, 2),
                   FixedDate(2004, 10, 2)},
    SettingKeyInfo{AddOne, "System", "ADDONE", Boolean, Fixed(0), Fixed(0)},
    SettingKeyInfo{Lunar, "System", "Lunar", Boolean, Fixed(1), Fixed(0)},
    SettingKeyInfo{Time, "System", "Time", Boolean, Fixed(1), Fixed(1)},
    SettingKeyInfo{Week, "System", "Week", Boolean, Fixed(1), Fixed(1)},
    SettingKeyInfo{TitleTop, "System", "Title_top", Integer, ScreenFraction(3, 20),
                   ScreenFraction(3, 20)},
    SettingKeyInfo{NTop, "System", "N_top", Integer, ScreenFraction(2, 5), ScreenFraction(2, 5)},
    SettingKeyInfo{StartEndTop, "System", "StartEnd", Integer, ScreenFraction(17, 25),
                   ScreenFraction(17, 25)},
    SettingKeyInfo{LtwTop, "System", "LTW", Integer, ScreenFraction(4, 5), ScreenFraction(4, 5)},
    SettingKeyInfo{Mode, "System", "Mode", Integer, Fixed(0), Fixed(0)},
    // The dialog's folder text has a separator too many ("…//pic"); it names the same folder.
    SettingKeyInfo{WaterDirectory, "Water", "WaterDirectory", String, InAppDirectory("pic"),
                   InAppDirectory("/pic")},
    SettingKeyInfo{OnMouseClose, "Water", "OnMouseClose", Boolean, Fixed(1), Fixed(1)},
    SettingKeyInfo{RandomPic, "Water", "Random_pic", Boolean, Fixed(0), Fixed(0)},
    SettingKeyInfo{WaterRandomInterval, "Water", "Random_Inteval", Integer, Fixed(60), Fixed(60)},
    SettingKeyInfo{BKColor, "Pure", "BKColor", Integer, Fixed(15780518), Fixed(15780518)},
    SettingKeyInfo{RandomBk, "Pure", "Random_bk", Boolean, Fixed(0), Fixed(0)},
    SettingKeyInfo{PureRandomInterval, "Pure", "Random_Inteval", Integer, Fixed(10), Fixed(10)},
    SettingKeyInfo{Scroll, "Scroll", "Scroll", Boolean, Fixed(1), Fixed(1)},
    SettingKeyInfo{RepeatDelay, "Scroll", "RepeatDelay", Integer, Fixed(5), Fixed(5)},
    SettingKeyInfo{ScrollDelay, "Scroll", "ScrollDelay", Integer, Fixed(60), Fixed(60)},
    SettingKeyInfo{Step, "Scroll", "Step", Integer, Fixed(1), Fixed(1)},
    SettingKeyInfo{LogoLeft, "LOGO", "Left", Integer, Fixed(30), Fixed(100)},
    SettingKeyInfo{LogoTop, "LOGO", "Top", Integer, Fixed(30), Fixed(100)},
    SettingKeyInfo{LogoWidth, "LOGO", "Width", Integer, Fixed(30), Fixed(100)},
    SettingKeyInfo{LogoHeight, "LOGO", "Height", Integer, Fixed(30), Fixed(100)},
};

// The table is indexed by the enumerator, so each entry must sit at its own value.
constexpr bool TableFollowsEnum()
{
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        if (static_cast<std::size_t>(kKeys[i].id) != i)
            return false;
    return true;
}
static_assert(TableFollowsEnum());
static_assert(kKeys.size() == static_cast<std::size_t>(LogoHeight) + 1);

const SettingKeyInfo& Checked(Setting setting, SettingType type)
{
    const SettingKeyInfo& info = KeyInfo(setting);
    if (info.type != type)
        throw std::invalid_argument(std::string("setting ") + info.section + "/" + info.key +
                                    " is read or written as the wrong type");
    return info;
}

// Screen height × numerator ÷ denominator, multiplied first in 32 bits and truncated, as the
// layout arithmetic does everywhere.
int ScreenShare(int height, int numerator, int denominator)
{
    const auto product = static_cast<std::int32_t>(static_cast<std::uint32_t>(height) *
                                                   static_cast<std::uint32_t>(numerator));
    return product / denominator;
}

int NumberOf(const SettingDefault& def, const DefaultContext& context)
{
    if (def.kind == DefaultKind::ScreenFraction)
        return ScreenShare(context.screenHeight, def.number, def.denominator);
    return def.number;
}

}  // namespace

std::span<const SettingKeyInfo> AllSettingKeys()
{
    return kKeys;
}

const SettingKeyInfo& KeyInfo(Setting setting)
{
    return kKeys.at(static_cast<std::size_t>(setting));
}

std::string DefaultString(Setting setting, SettingReader reader, const DefaultContext& context)
{
    const SettingDefault& def = Checked(setting, String).DefaultFor(reader);
    if (def.kind == DefaultKind::AppDirectoryPath)
        return context.appDirectory + def.text;
    return def.text;
}

int DefaultInteger(Setting setting, SettingReader reader, const DefaultContext& context)
{
    return NumberOf(Checked(setting, Integer).DefaultFor(reader), context);
}

bool DefaultBool(Setting setting, SettingReader reader, const DefaultContext& context)
{
    return NumberOf(Checked(setting, Boolean).DefaultFor(reader), context) != 0;
}

DateTime DefaultDate(Setting setting, SettingReader reader, const DefaultContext&)
{
    const CalendarDate date = Checked(setting, Date).DefaultFor(reader).date;
    return EncodeDate(date.year, date.month, date.day);
}

std::string ReadStringSetting(const SettingsFile& file, Setting setting, SettingReader reader,
                              const DefaultContext& context)
{
    const SettingKeyInfo& info = KeyInfo(setting);
    return file.ReadString(info.section, info.key, DefaultString(setting, reader, context));
}

int ReadIntegerSetting(const SettingsFile& file, Setting setting, SettingReader reader,
                       const DefaultContext& context)
{
    const SettingKeyInfo& info = KeyInfo(setting);
    return file.ReadInteger(info.section, info.key, DefaultInteger(setting, reader, context));
}

bool ReadBoolSetting(const SettingsFile& file, Setting setting, SettingReader reader,
                     const DefaultContext& context)
{
    const SettingKeyInfo& info = KeyInfo(setting);
    return file.ReadBool(info.section, info.key, DefaultBool(setting, reader, context));
}

DateTime ReadDateSetting(const SettingsFile& file, Setting setting, SettingReader reader,
                         const DefaultContext& context)
{
    const SettingKeyInfo& info = KeyInfo(setting);
    return file.ReadDate(info.section, info.key, DefaultDate(setting, reader, context));
}

void WriteStringSetting(SettingsFile& file, Setting setting, const std::string& value)
{
    const SettingKeyInfo& info = Checked(setting, String);
    file.WriteString(info.section, info.key, value);
}

void WriteIntegerSetting(SettingsFile& file, Setting setting, int value)
{
    const SettingKeyInfo& info = Checked(setting, Integer);
    file.WriteInteger(info.section, info.key, value);
}

void WriteBoolSetting(SettingsFile& file, Setting setting, bool value)
{
    const SettingKeyInfo& info = Checked(setting, Boolean);
    file.WriteBool(info.section, info.key, value);
}

void WriteDateSetting(SettingsFile& file, Setting setting, DateTime value)
{
    const SettingKeyInfo& info = Checked(setting, Date);
    file.WriteDate(info.section, info.key, value);
}
