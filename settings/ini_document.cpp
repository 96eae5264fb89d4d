#include "settings/ini_document.h"

#include "settings/code_page_936.h"
#include "settings/utf16_text.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::size_t SkipBlanks(std::string_view text, std::size_t pos, std::size_t end)
{
    while (pos < end && IsBlank(text[pos]))
        ++pos;
    return pos;
}

std::size_t TrimEnd(std::string_view text, std::size_t begin, std::size_t end)
{
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return end;
}

bool IsBlankLine(std::string_view text)
{
    return SkipBlanks(text, 0, text.size()) == text.size();
}

// In code page 936 a trail byte may equal ']' or an ASCII letter, so scans step by character;
// in UTF-8 an ASCII byte is always a character of its own.
std::size_t CharLength(std::string_view text, std::size_t pos, bool codePage)
{
    return codePage ? CodePage936CharLength(text, pos) : 1;
}

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names compare without regard to ASCII letter case; other characters compare exactly.
bool NamesEqual(std::string_view a, std::string_view b, bool codePage)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t pos = 0; pos < a.size();) {
        const std::size_t length = CharLength(a, pos, codePage);
        if (CharLength(b, pos, codePage) != length)
            return false;
        if (length == 1) {
            if (FoldAscii(a[pos]) != FoldAscii(b[pos]))
                return false;
        } else if (a.substr(pos, length) != b.substr(pos, length)) {
            return false;
        }
        pos += length;
    }
    return true;
}

enum class LineKind { Other, Section, Key };

// What one line holds. Offsets are into the line's text.
struct LineShape {
    LineKind kind = LineKind::Other;
    std::string_view name;
    bool hasValue = false;       // the key line has an '='
    std::size_t nameEnd = 0;     // end of the key name, blanks excluded
    std::size_t valueBegin = 0;  // the value, blanks around it excluded
    std::size_t valueEnd = 0;
};

LineShape Classify(std::string_view text, bool codePage)
{
    LineShape shape;
    const std::size_t end = text.size();
    const std::size_t begin = SkipBlanks(text, 0, end);
    if (begin == end || text[begin] == ';')
        return shape;
    if (text[begin] == '[') {
        std::size_t close = end;
        for (std::size_t pos = begin + 1; pos < end; pos += CharLength(text, pos, codePage))
            if (text[pos] == ']')
                close = pos;
        if (close != end) {
            const std::size_t nameBegin = SkipBlanks(text, begin + 1, close);
            shape.kind = LineKind::Section;
            shape.name = text.substr(nameBegin, TrimEnd(text, nameBegin, close) - nameBegin);
            return shape;
        }
        // A '[' without ']' is no header; the line may still be a key.
    }
    std::size_t equals = end;
    for (std::size_t pos = begin; pos < end; pos += CharLength(text, pos, codePage))
        if (text[pos] == '=') {
            equals = pos;
            break;
        }
    shape.kind = LineKind::Key;
    shape.nameEnd = TrimEnd(text, begin, equals);
    shape.name = text.substr(begin, shape.nameEnd - begin);
    if (equals != end) {
        shape.hasValue = true;
        shape.valueBegin = SkipBlanks(text, equals + 1, end);
        shape.valueEnd = TrimEnd(text, shape.valueBegin, end);
    }
    return shape;
}

// The longest prefix of at most `limit` bytes that ends on a character boundary.
std::string_view CutValue(std::string_view value, std::size_t limit, bool codePage)
{
    if (value.size() <= limit)
        return value;
    std::size_t cut = 0;
    if (codePage) {
        for (std::size_t next; cut < value.size(); cut = next) {
            next = cut + CodePage936CharLength(value, cut);
            if (next > limit)
                break;
        }
    } else {
        cut = limit;
        while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80)
            --cut;
    }
    return value.substr(0, cut);
}

bool HasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

IniDocument IniDocument::FromBytes(std::string_view bytes)
{
    IniDocument document;
    std::string working;
    if (bytes.starts_with(kUtf8Bom)) {
        document.encoding_ = IniEncoding::Utf8Bom;
        working = bytes.substr(kUtf8Bom.size());
    } else if (bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom)) {
        const bool bigEndian = bytes.starts_with(kUtf16BeBom);
        document.encoding_ = bigEndian ? IniEncoding::Utf16BeBom : IniEncoding::Utf16LeBom;
        std::string_view body = bytes.substr(2);
        if (body.size() % 2 != 0) {
            document.oddByte_ = body.substr(body.size() - 1);
            body.remove_suffix(1);
        }
        working = Utf16ToUtf8(body, bigEndian);
    } else {
        working = bytes;
    }

    bool styleKnown = false;
    std::size_t start = 0;
    while (start < working.size()) {
        const std::size_t stop = working.find_first_of("\r\n", start);
        if (stop == std::string::npos) {
            document.lines_.push_back({working.substr(start), ""});
            break;
        }
        const std::size_t endLength =
            (working[stop] == '\r' && stop + 1 < working.size() && working[stop + 1] == '\n') ? 2
                                                                                              : 1;
        document.lines_.push_back({working.substr(start, stop - start),
                                   working.substr(stop, endLength)});
        if (!styleKnown) {
            document.lineEnd_ = working.substr(stop, endLength);
            styleKnown = true;
        }
        start = stop + endLength;
    }
    return document;
}

std::string IniDocument::ToBytes() const
{
    std::string working;
    for (const Line& line : lines_) {
        working += line.text;
        working += line.end;
    }
    switch (encoding_) {
    case IniEncoding::CodePage936:
        return working;
    case IniEncoding::Utf8Bom:
        return std::string(kUtf8Bom) + working;
    case IniEncoding::Utf16LeBom:
        return std::string(kUtf16LeBom) + Utf8ToUtf16(working, false) + oddByte_;
    case IniEncoding::Utf16BeBom:
        return std::string(kUtf16BeBom) + Utf8ToUtf16(working, true) + oddByte_;
    }
    return working;
}

std::optional<std::string> IniDocument::ToWorkingForm(std::string_view utf8) const
{
    if (IsCodePage())
        return Utf8ToCodePage936(utf8);
    if (!IsValidUtf8(utf8))
        return std::nullopt;
    return std::string(utf8);
}

std::string IniDocument::ToUtf8(std::string_view working) const
{
    return IsCodePage() ? CodePage936ToUtf8(working) : std::string(working);
}

std::optional<std::size_t> IniDocument::FindSection(std::string_view name) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const LineShape shape = Classify(lines_[i].text, IsCodePage());
        if (shape.kind == LineKind::Section && NamesEqual(shape.name, name, IsCodePage()))
            return i;
    }
    return std::nullopt;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const
{
    std::size_t i = header + 1;
    while (i < lines_.size() && Classify(lines_[i].text, IsCodePage()).kind != LineKind::Section)
        ++i;
    return i;
}

const std::string& IniDocument::LineEndStyle() const
{
    return lineEnd_;
}

void IniDocument::InsertLine(std::size_t at, std::string text)
{
    std::string end = LineEndStyle();
    // Appending after a last line without a line end: that line gets one, and the new last line
    // goes without, as the file did.
    if (at > 0 && at == lines_.size() && lines_[at - 1].end.empty()) {
        lines_[at - 1].end = LineEndStyle();
        end.clear();
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), end});
}

std::optional<std::string> IniDocument::Read(std::string_view section, std::string_view key) const
{
    const auto sectionName = ToWorkingForm(section);
    const auto keyName = ToWorkingForm(key);
    if (!sectionName || !keyName)
        return std::nullopt;  // a name the file cannot hold is in no file
    const auto header = FindSection(*sectionName);
    if (!header)
        return std::nullopt;
    const std::size_t end = SectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const std::string_view text = lines_[i].text;
        const LineShape shape = Classify(text, IsCodePage());
        if (shape.kind != LineKind::Key || !NamesEqual(shape.name, *keyName, IsCodePage()))
            continue;
        if (!shape.hasValue)
            return std::nullopt;
        std::string_view value = text.substr(shape.valueBegin, shape.valueEnd - shape.valueBegin);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return ToUtf8(CutValue(value, kMaxValueBytes, IsCodePage()));
    }
    return std::nullopt;
}

IniWriteResult IniDocument::Write(std::string_view section, std::string_view key,
                                  std::string_view value)
{
    const auto sectionName = ToWorkingForm(section);
    const auto keyName = ToWorkingForm(key);
    const auto text = ToWorkingForm(value);
    if (!sectionName || !keyName || !text)
        return IniWriteResult::NoFormInEncoding;
    // A line break would let the rest of a value read as lines of their own, which could even
    // forge other keys; a name that the reader trims or splits differently would never be found.
    if (HasLineBreak(*text))
        return IniWriteResult::LineBreakInValue;
    if (HasLineBreak(*sectionName) || HasLineBreak(*keyName) || keyName->empty() ||
        keyName->find('=') != std::string::npos || keyName->front() == ';' ||
        keyName->front() == '[' || IsBlank(keyName->front()) || IsBlank(keyName->back()) ||
        (!sectionName->empty() && (IsBlank(sectionName->front()) || IsBlank(sectionName->back()))))
        return IniWriteResult::InvalidName;

    const auto header = FindSection(*sectionName);
    if (!header) {
        InsertLine(lines_.size(), "[" + *sectionName + "]");
        InsertLine(lines_.size(), *keyName + "=" + *text);
        return IniWriteResult::Written;
    }
    const std::size_t end = SectionEnd(*header);
    std::size_t lastFilled = *header;
    for (std::size_t i = *header + 1; i < end; ++i) {
        std::string& line = lines_[i].text;
        if (!IsBlankLine(line))
            lastFilled = i;
        const LineShape shape = Classify(line, IsCodePage());
        if (shape.kind != LineKind::Key || !NamesEqual(shape.name, *keyName, IsCodePage()))
            continue;
        if (shape.hasValue)
            line = line.substr(0, shape.valueBegin) + *text;
        else
            line = line.substr(0, shape.nameEnd) + "=" + *text;
        return IniWriteResult::Written;
    }
    InsertLine(lastFilled + 1, *keyName + "=" + *text);
    return IniWriteResult::Written;
}
