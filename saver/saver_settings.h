#pragma once
// The saver's reads of the settings file: every key with the saver's own default, the screen
// height and the program folder already bound in.

#include "settings/setting_keys.h"

#include <string>

class SettingsFile;

// The open settings file as the saver reads it during its creation.
class SaverSettings {
public:
    SaverSettings(const SettingsFile& file, int screenHeight, std::string appDirectory);

    std::string text(Setting key) const;
    int integer(Setting key) const;
    bool boolean(Setting key) const;
    DateTime date(Setting key) const;

private:
    const SettingsFile& file_;
    DefaultContext context_;
};
