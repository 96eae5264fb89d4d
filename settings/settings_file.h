#pragma once
// The program's settings file: typed reads and writes of single keys, each going to the file at
// the moment of the call, in the INI dialect and code page 936 bytes the settings have always used.

#include <stdexcept>
#include <string>

#include "calendar/date_time.h"

// A write of the settings file did not reach the disk; the file is left as it was.
class SettingsWriteError : public std::runtime_error {
public:
    explicit SettingsWriteError(const std::string& path);
    // The settings file's path.
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// A text to be written has no code page 936 form, so the file could not hold it faithfully
// (or holds a line break, which would split its line).
class SettingsEncodingError : public std::runtime_error {
public:
    SettingsEncodingError(const std::string& section, const std::string& key);
    // The same refusal for another reason the file could not hold the text as given.
    SettingsEncodingError(const std::string& section, const std::string& key,
                          const std::string& reason);
    const std::string& section() const { return section_; }
    const std::string& key() const { return key_; }

private:
    std::string section_;
    std::string key_;
};

// The open settings file. Opening touches nothing on disk; a missing file, section or key reads
// as the caller's default, and every write replaces the file atomically.
class SettingsFile {
public:
    explicit SettingsFile(std::string path);

    const std::string& path() const { return path_; }

    // The stored text without surrounding blanks and one pair of enclosing quotes, at most
    // 2047 bytes, as UTF-8; the default when the key is missing.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def) const;
    // A signed decimal, or hexadecimal after "$", "0x" or "0X"; anything else gives the default.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    // An integer read with the default 1 or 0; non-zero is true.
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    // A date in the user's regional short date format, day only; unparsable gives the default.
    DateTime ReadDate(const std::string& section, const std::string& key, DateTime def) const;

    // Each write throws SettingsEncodingError for text without a code page 936 form and
    // SettingsWriteError when the file cannot be replaced; either way the file stays as it was.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    // The date alone in the user's regional short date format.
    void WriteDate(const std::string& section, const std::string& key, DateTime value);

    // Ends the use of the file. Every write is already on disk, so nothing is left to flush;
    // reads and writes after it still work, as they go to the file by path.
    void Close();

private:
    std::string path_;
};

// Whether UTF-8 text can be written to the settings file unchanged: every character has a code
// page 936 form. Lets a caller refuse text before it writes anything.
bool HasCodePage936Form(const std::string& utf8);
// Whether a value can be written and read back as it is: it has a code page 936 form and no line
// break. (Blanks around a value and enclosing quotes are stored but not read back, as always.)
bool IsStorableSettingText(const std::string& utf8);
