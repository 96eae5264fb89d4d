#pragma once
// The INI text of a settings file, kept line by line and byte for byte, with the lookup rules of
// Windows' profile services: names compare without regard to ASCII letter case, and the first
// matching section and the first matching key in it win for reads and for writes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How a settings file's bytes are encoded, told by its byte-order mark.
enum class IniEncoding { CodePage936, Utf8Bom, Utf16LeBom, Utf16BeBom };

// Why a value could not be written.
enum class IniWriteResult {
    Written,
    NoFormInEncoding,  // a character has no form in the file's encoding
    LineBreakInValue,  // the value would end its line early and go on as lines of its own
    InvalidName        // a section or key name that the file would read back differently
};

// One settings file's text. Changing a value rewrites only that value; every other byte of the
// file, line ends included, comes back from ToBytes() as it was read.
class IniDocument {
public:
    // A file that does not exist yet: code page 936, lines ending in CR LF.
    IniDocument() = default;
    // Any bytes are accepted; what is not a section or key line is kept and ignored.
    static IniDocument FromBytes(std::string_view bytes);

    IniEncoding encoding() const { return encoding_; }
    std::string ToBytes() const;

    // The value of a key as UTF-8: blanks around it and one pair of enclosing quotes removed,
    // cut to 2047 bytes of the file's form. nullopt when the section or key is missing, or the
    // key's line has no '='.
    std::optional<std::string> Read(std::string_view section, std::string_view key) const;

    // Sets a key's value (UTF-8). The key's first line keeps everything up to its value; a new key
    // goes after the last non-blank line of its section, a new section at the end of the text.
    IniWriteResult Write(std::string_view section, std::string_view key, std::string_view value);

    // The longest value a read returns, in bytes of the file's form.
    static constexpr std::size_t kMaxValueBytes = 2047;

private:
    // One line in the document's working form (code page 936 bytes, or UTF-8 for files with a
    // Unicode byte-order mark) and the line end that followed it ("" for a last line without one).
    struct Line {
        std::string text;
        std::string end;
    };

    bool IsCodePage() const { return encoding_ == IniEncoding::CodePage936; }
    std::optional<std::string> ToWorkingForm(std::string_view utf8) const;
    std::string ToUtf8(std::string_view working) const;
    // Index of the first header line of a section, or nullopt.
    std::optional<std::size_t> FindSection(std::string_view name) const;
    // One past the last line of the section whose header is at `header`.
    std::size_t SectionEnd(std::size_t header) const;
    const std::string& LineEndStyle() const;
    void InsertLine(std::size_t at, std::string text);

    IniEncoding encoding_ = IniEncoding::CodePage936;
    std::vector<Line> lines_;
    std::string lineEnd_ = "\r\n";  // the file's first line end, used for added lines
    std::string oddByte_;           // a UTF-16 file's odd last byte, kept as it was
};
