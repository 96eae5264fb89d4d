// The INI engine on byte-exact files: code page 936 bytes, mixed line ends, duplicates, comments.
#include <gtest/gtest.h>

#include <QString>

#include "settings/ini_document.h"

namespace {

// Code page 936 bytes of a few characters.
const std::string kDi = "\xB5\xDA";                          // 第
const std::string kStudio = "\xB9\xA4\xD7\xF7\xCA\xD2";      // 工作室
const std::string kTrailBracket = "\x81\x5D";                // 乚: its trail byte is ']'
const std::string kTrailUpperA = "\x81\x41";                 // 丄: trail byte 'A'
const std::string kTrailLowerA = "\x81\x61";                 // 乤: trail byte 'a'

std::string Utf16Le(const QString& text)
{
    std::string bytes = "\xFF\xFE";
    for (QChar c : text) {
        bytes += static_cast<char>(c.unicode() & 0xFF);
        bytes += static_cast<char>(c.unicode() >> 8);
    }
    return bytes;
}

TEST(IniDocument, ReadsByTheProfileRules)
{
    const IniDocument document = IniDocument::FromBytes(
        "; Title=commented out\r\n"
        "[System]\r\n"
        "  Title =  " + kStudio + "  \r\n"
        "DH=\"" + kDi + "\"\r\n"
        "Single=' a b '\r\n"
        "Mixed=\"abc'\r\n"
        "Lone=\"\r\n"
        "Empty=\r\n"
        "NoValue\r\n"
        "title=second\r\n"
        "Equals=a=b\r\n"
        "[ system ]\r\n"
        "Extra=1\r\n"
        "[" + kTrailBracket + "]\r\n"
        "K=bracket\r\n"
        "[" + kTrailUpperA + "]\r\n"
        "K=upper\r\n"
        "[" + kTrailLowerA + "]\r\n"
        "K=lower\r\n");

    const struct {
        const char* section;
        const char* key;
        std::optional<std::string> expected;
    } cases[] = {
        {"System", "Title", "工作室"},  // blanks trimmed, first duplicate wins
        {"SYSTEM", "TITLE", "工作室"},  // names ignore ASCII case
        {"System", "DH", "第"},         // one pair of quotes removed
        {"System", "Single", " a b "},  // inner blanks stay
        {"System", "Mixed", "\"abc'"},  // different quotes stay
        {"System", "Lone", "\""},
        {"System", "Empty", ""},
        {"System", "NoValue", std::nullopt},
        {"System", "Equals", "a=b"},     // the first '=' splits
        {"System", "Extra", std::nullopt},  // only the first [System] counts
        {"System", "Missing", std::nullopt},
        {"Missing", "Title", std::nullopt},
        {"乚", "K", "bracket"},
        {"丄", "K", "upper"},
        {"乤", "K", "lower"},  // trail bytes are not letters: no case folding
        {"System", "😀", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(document.Read(c.section, c.key), c.expected) << c.section << "/" << c.key;
}

TEST(IniDocument, SplitsLinesAtCrLfAndCrLf)
{
    for (const std::string end : {"\r", "\n", "\r\n"}) {
        const IniDocument document =
            IniDocument::FromBytes("[A]" + end + "x=1" + end + end + "[B]" + end + "x=2");
        EXPECT_EQ(document.Read("A", "x"), "1");
        EXPECT_EQ(document.Read("B", "x"), "2");
    }
}

TEST(IniDocument, CutsLongValuesAt2047BytesOnACharacterBoundary)
{
    const std::string ascii(2100, 'a');
    // 2046 single bytes and a two-byte character would end at byte 2048: the character goes.
    const std::string straddling = std::string(2046, 'b') + kDi + "c";
    const IniDocument document =
        IniDocument::FromBytes("[S]\r\nA=" + ascii + "\r\nB=" + straddling + "\r\n");
    EXPECT_EQ(document.Read("S", "A"), std::string(2047, 'a'));
    EXPECT_EQ(document.Read("S", "B"), std::string(2046, 'b'));
}

TEST(IniDocument, WriteChangesOnlyTheValueOfTheFirstMatchingLine)
{
    const std::string original =
        "; settings\n"
        "[system]\n"
        "title = old value  \n"
        "\n"
        "Title=duplicate\n"
        "NoValue\n"
        "[Other]\n"
        "x=1\n";
    IniDocument document = IniDocument::FromBytes(original);
    ASSERT_EQ(document.Write("System", "Title", "新"), IniWriteResult::Written);
    ASSERT_EQ(document.Write("SYSTEM", "novalue", "7"), IniWriteResult::Written);
    EXPECT_EQ(document.ToBytes(),
              "; settings\n"
              "[system]\n"
              "title = \xD0\xC2\n"
              "\n"
              "Title=duplicate\n"
              "NoValue=7\n"
              "[Other]\n"
              "x=1\n");
}

TEST(IniDocument, NewKeysFollowTheLastFilledLineOfTheirSectionAndNewSectionsEndTheFile)
{
    const struct {
        const char* name;
        std::string original;
        std::string expected;
    } cases[] = {
        {"blank lines before the next section stay after the new key",
         "[A]\r\nx=1\r\n; note\r\n\r\n\r\n[B]\r\ny=2\r\n",
         "[A]\r\nx=1\r\n; note\r\nk=v\r\n\r\n\r\n[B]\r\ny=2\r\n[C]\r\nk=v\r\n"},
        {"CR-only file keeps its line ends",
         "[A]\rx=1\r", "[A]\rx=1\rk=v\r[C]\rk=v\r"},
        {"a file without a final line end keeps going without one",
         "[A]\nx=1", "[A]\nx=1\nk=v\n[C]\nk=v"},
    };
    for (const auto& c : cases) {
        IniDocument document = IniDocument::FromBytes(c.original);
        document.Write("a", "k", "v");
        document.Write("C", "k", "v");
        EXPECT_EQ(document.ToBytes(), c.expected) << c.name;
    }
}

TEST(IniDocument, ANewFileIsCodePage936WithCrLf)
{
    IniDocument document;
    document.Write("System", "Title", "Tarnik工作室成立至今");
    document.Write("System", "DH", "第");
    document.Write("Pure", "Euro", "€");
    EXPECT_EQ(document.ToBytes(),
              "[System]\r\nTitle=Tarnik" + kStudio + "\xB3\xC9\xC1\xA2\xD6\xC1\xBD\xF1\r\n"
              "DH=" + kDi + "\r\n[Pure]\r\nEuro=\x80\r\n");
}

TEST(IniDocument, RefusesTextItCannotHoldAndStaysUnchanged)
{
    const std::string original = "[S]\r\nk=1\r\n";
    IniDocument document = IniDocument::FromBytes(original);
    EXPECT_EQ(document.Write("S", "k", "smile 😀"), IniWriteResult::NoFormInEncoding);
    EXPECT_EQ(document.Write("S", "k", "one\r\n[S]\r\nforged=1"), IniWriteResult::LineBreakInValue);
    EXPECT_EQ(document.Write("S", "a=b", "1"), IniWriteResult::InvalidName);
    EXPECT_EQ(document.Write("S", ";k", "1"), IniWriteResult::InvalidName);
    EXPECT_EQ(document.ToBytes(), original);
}

TEST(IniDocument, UnicodeFilesAreReadAndWrittenInTheirOwnEncoding)
{
    // UTF-8 with a byte-order mark: the text stays UTF-8, and text outside code page 936 fits.
    IniDocument utf8 = IniDocument::FromBytes("\xEF\xBB\xBF[S]\r\nTitle=第 😀\r\n");
    EXPECT_EQ(utf8.encoding(), IniEncoding::Utf8Bom);
    EXPECT_EQ(utf8.Read("s", "title"), "第 😀");
    ASSERT_EQ(utf8.Write("S", "DH", "天"), IniWriteResult::Written);
    EXPECT_EQ(utf8.ToBytes(), "\xEF\xBB\xBF[S]\r\nTitle=第 😀\r\nDH=天\r\n");

    // UTF-16 little endian, with a surrogate pair and an unpaired surrogate that must survive.
    const QString text = QString::fromUtf8("[S]\r\nTitle=第 😀\r\nOdd=") + QChar(0xD800) +
                         QStringLiteral("\r\n");
    IniDocument utf16 = IniDocument::FromBytes(Utf16Le(text));
    EXPECT_EQ(utf16.encoding(), IniEncoding::Utf16LeBom);
    EXPECT_EQ(utf16.Read("S", "Title"), "第 😀");
    ASSERT_EQ(utf16.Write("S", "DH", "天"), IniWriteResult::Written);
    EXPECT_EQ(utf16.ToBytes(), Utf16Le(text + QString::fromUtf8("DH=天\r\n")));
}

}  // namespace
