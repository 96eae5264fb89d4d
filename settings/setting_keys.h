#pragma once
// Every key of the sections System, Water, Pure, Scroll and LOGO as one declarative table: where
// it lives, how it is encoded and what the saver and the dialog each read when it is missing.

#include <span>
#include <string>

#include "calendar/date_time.h"

class SettingsFile;

enum class SettingType { String, Integer, Boolean, Date };
// The two readers of the settings file; they differ in some defaults.
enum class SettingReader { Saver, Dialog };

// What defaults depend on at the moment of reading.
struct DefaultContext {
    int screenHeight = 0;      // the primary screen's height in pixels
    std::string appDirectory;  // AppDirectory(), with its trailing '/'
};

enum class Setting {
    Title, DH, StartDate, AddOne, Lunar, Time, Week, TitleTop, NTop, StartEndTop, LtwTop, Mode,
    WaterDirectory, OnMouseClose, RandomPic, WaterRandomInterval,
    BKColor, RandomBk, PureRandomInterval,
    Scroll, RepeatDelay, ScrollDelay, Step,
    LogoLeft, LogoTop, LogoWidth, LogoHeight
};

// How one reader's default is made.
enum class DefaultKind {
    Fixed,              // number (integer, boolean), text (string) or date, as they stand
    ScreenFraction,     // screenHeight * number / denominator in 32-bit integers, multiply first
    AppDirectoryPath    // appDirectory followed by text
};

// One reader's default of one key.
struct SettingDefault {
    DefaultKind kind = DefaultKind::Fixed;
    int number = 0;
    int denominator = 1;
    const char* text = "";
    CalendarDate date{};
};

// One key of the table.
struct SettingKeyInfo {
    Setting id;
    const char* section;
    const char* key;
    SettingType type;
    SettingDefault saverDefault;
    SettingDefault dialogDefault;

    const SettingDefault& DefaultFor(SettingReader reader) const {
        return reader == SettingReader::Saver ? saverDefault : dialogDefault;
    }
};

// Every key, in the order the dialog writes them section by section.
std::span<const SettingKeyInfo> AllSettingKeys();
const SettingKeyInfo& KeyInfo(Setting setting);

// The reader's default of a key; each asks for the key's own type.
std::string DefaultString(Setting setting, SettingReader reader, const DefaultContext& context);
int DefaultInteger(Setting setting, SettingReader reader, const DefaultContext& context);
bool DefaultBool(Setting setting, SettingReader reader, const DefaultContext& context);
DateTime DefaultDate(Setting setting, SettingReader reader, const DefaultContext& context);

// Typed reads of a key with the reader's default.
std::string ReadStringSetting(const SettingsFile& file, Setting setting, SettingReader reader,
                              const DefaultContext& context);
int ReadIntegerSetting(const SettingsFile& file, Setting setting, SettingReader reader,
                       const DefaultContext& context);
bool ReadBoolSetting(const SettingsFile& file, Setting setting, SettingReader reader,
                     const DefaultContext& context);
DateTime ReadDateSetting(const SettingsFile& file, Setting setting, SettingReader reader,
                         const DefaultContext& context);

// Typed writes of a key.
void WriteStringSetting(SettingsFile& file, Setting setting, const std::string& value);
void WriteIntegerSetting(SettingsFile& file, Setting setting, int value);
void WriteBoolSetting(SettingsFile& file, Setting setting, bool value);
void WriteDateSetting(SettingsFile& file, Setting setting, DateTime value);
