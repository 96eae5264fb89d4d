#include "components/font_substitution.h"
#include "components/text_effect_renderer.h"

#include <QFontInfo>
#include <gtest/gtest.h>

namespace {

LabelFont FontOf(const char* name, int size, FontStyleSet style = {})
{
    LabelFont font;
    font.Name = name;
    font.Size = size;
    font.Style = style;
    return font;
}

}  // namespace

TEST(FontSubstitution, WindowsChineseFacesDrawWithInstalledCjkFamilies)
{
    struct Case { const char* face; const char* family; };
    const Case cases[] = {
        {"宋体", "Noto Serif CJK SC"},    {"SimSun", "Noto Serif CJK SC"},
        {"simsun", "Noto Serif CJK SC"},  {"楷体_GB2312", "Noto Serif CJK SC"},
        {"黑体", "Noto Sans CJK SC"},     {"微软雅黑", "Noto Sans CJK SC"},
        {"Microsoft YaHei", "Noto Sans CJK SC"},
        {"DejaVu Sans", "DejaVu Sans"},  // not a substituted face: left to the system
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SubstituteFontFamily(QString::fromUtf8(c.face)), QString::fromUtf8(c.family)) << c.face;
        // The substitute is really there: the label's font resolves to it.
        const QFontInfo resolved(LabelQFont(FontOf(c.face, 9)));
        EXPECT_EQ(resolved.family(), QString::fromUtf8(c.family)) << c.face;
    }
}

TEST(FontSubstitution, LabelFontSizeIsInPointsAtNinetySixDotsPerInch)
{
    struct Case { int points; int pixels; };
    for (Case c : {Case{48, 64}, Case{9, 12}, Case{-9, 12}, Case{0, 1}, Case{100000, 1000}})
        EXPECT_EQ(LabelQFont(FontOf("宋体", c.points)).pixelSize(), c.pixels) << c.points;
    const QFont styled = LabelQFont(FontOf("宋体", 48, {.bold = true, .underline = true}));
    EXPECT_TRUE(styled.bold());
    EXPECT_FALSE(styled.italic());
    EXPECT_TRUE(styled.underline());
    EXPECT_FALSE(styled.strikeOut());
}
