#include "saver/saver_settings.h"

#include <utility>

SaverSettings::SaverSettings(const SettingsFile& file, int screenHeight, std::string appDirectory)
    : file_(file), context_{screenHeight, std::move(appDirectory)}
{
}

std::string SaverSettings::text(Setting key) const
{
    return ReadStringSetting(file_, key, SettingReader::Saver, context_);
}

int SaverSettings::integer(Setting key) const
{
    return ReadIntegerSetting(file_, key, SettingReader::Saver, context_);
}

bool SaverSettings::boolean(Setting key) const
{
    return ReadBoolSetting(file_, key, SettingReader::Saver, context_);
}

DateTime SaverSettings::date(Setting key) const
{
    return ReadDateSetting(file_, key, SettingReader::Saver, context_);
}
