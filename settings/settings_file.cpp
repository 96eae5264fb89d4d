#include "settings/settings_file.h"

#include <stdexcept>
#include <system_error>

#include "platform/regional_format.h"
#include "settings/code_page_936.h"
#include "settings/file_replacement.h"
#include "settings/ini_document.h"
#include "settings/setting_integer.h"

namespace {

std::string KeyDescription(const std::string& section, const std::string& key)
{
    return "key \"" + key + "\" of section [" + section + "]";
}

// The file's text as it stands, or an empty document when there is no file. A file that exists
// but cannot be read stays unread: for a read the default applies.
IniDocument LoadForReading(const std::string& path)
{
    try {
        if (auto bytes = ReadWholeFile(path))
            return IniDocument::FromBytes(*bytes);
    } catch (const std::system_error&) {
    }
    return IniDocument();
}

}  // namespace

SettingsWriteError::SettingsWriteError(const std::string& path)
    : std::runtime_error("Unable to write to " + path), path_(path)
{
}

SettingsEncodingError::SettingsEncodingError(const std::string& section, const std::string& key)
    : SettingsEncodingError(section, key,
                            "the text has characters without a code page 936 (GBK) form")
{
}

SettingsEncodingError::SettingsEncodingError(const std::string& section, const std::string& key,
                                             const std::string& reason)
    : std::runtime_error("Cannot store the " + KeyDescription(section, key) + ": " + reason),
      section_(section),
      key_(key)
{
}

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {}

std::string SettingsFile::ReadString(const std::string& section, const std::string& key,
                                     const std::string& def) const
{
    return LoadForReading(path_).Read(section, key).value_or(def);
}

int SettingsFile::ReadInteger(const std::string& section, const std::string& key, int def) const
{
    const auto text = LoadForReading(path_).Read(section, key);
    if (!text)
        return def;
    return ParseSettingInteger(*text).value_or(def);
}

bool SettingsFile::ReadBool(const std::string& section, const std::string& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

DateTime SettingsFile::ReadDate(const std::string& section, const std::string& key,
                                DateTime def) const
{
    const auto text = LoadForReading(path_).Read(section, key);
    if (!text || text->empty())
        return def;
    return ParseShortDate(*text).value_or(def);
}

void SettingsFile::WriteString(const std::string& section, const std::string& key,
                               const std::string& value)
{
    // An existing file that cannot be read must not be replaced by one holding this key alone.
    IniDocument document;
    try {
        if (auto bytes = ReadWholeFile(path_))
            document = IniDocument::FromBytes(*bytes);
    } catch (const std::system_error&) {
        throw SettingsWriteError(path_);
    }
    switch (document.Write(section, key, value)) {
    case IniWriteResult::Written:
        break;
    case IniWriteResult::NoFormInEncoding:
        throw SettingsEncodingError(section, key);
    case IniWriteResult::LineBreakInValue:
        throw SettingsEncodingError(section, key, "the text holds a line break");
    case IniWriteResult::InvalidName:
        throw std::invalid_argument("no settings file can hold the " +
                                    KeyDescription(section, key));
    }
    // Every write goes to the disk at once, as the dialog's keys are written one by one and the
    // saver may start between two of them.
    if (!ReplaceFile(path_, document.ToBytes()))
        throw SettingsWriteError(path_);
}

void SettingsFile::WriteInteger(const std::string& section, const std::string& key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void SettingsFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void SettingsFile::WriteDate(const std::string& section, const std::string& key, DateTime value)
{
    WriteString(section, key, FormatShortDate(DateOf(value)));
}

void SettingsFile::Close()
{
    // Nothing is cached between calls: each read and write opens the file by its path.
}

bool HasCodePage936Form(const std::string& utf8)
{
    return Utf8ToCodePage936(utf8).has_value();
}

bool IsStorableSettingText(const std::string& utf8)
{
    return HasCodePage936Form(utf8) && utf8.find_first_of("\r\n") == std::string::npos;
}
