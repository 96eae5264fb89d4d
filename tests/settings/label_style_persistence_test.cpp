#include "settings/label_style_persistence.h"

#include "components/jpeg_codec.h"
#include "components/picture.h"
#include "components/styled_label.h"
#include "settings/settings_file.h"
#include "support/image_bytes.h"
#include "support/temp_dir.h"

#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>
#include <span>
#include <vector>

namespace {

const char* const kKeysInOrder[] = {
    "FontSize", "FontName", "FontColor", "FontStyle", "Alpha", "Blur", "Noise", "Spray", "Angle",
    "Outline", "HorzMirror", "VertMirror", "Shadow", "ShadowAlpha", "ShadowBlur", "ShadowColor",
    "ShadowOffsetX", "ShadowOffsetY", "Gradual", "GradualStartColor", "GradualEndColor",
    "GradualStyle", "Texture", "TextureMode"};

QImage Swatch()
{
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 10));
    return image;
}

// A picture as loading a file of that kind gives it.
Picture PictureFromFile(const TempDir& dir, const std::string& name, const QByteArray& bytes)
{
    WriteFileBytes(dir.file(name), bytes.toStdString());
    return LoadPicture(dir.file(name));
}

// The effect the saver's Title, N and ltw labels have before their styles are read.
TextEffect SaverTexturedEffect()
{
    TextEffect effect;
    effect.Shadow.Enabled = true;
    effect.Texture.Enabled = true;
    return effect;
}

class LabelStylePersistence : public testing::Test {
protected:
    std::string iniPath() const { return dir.file("ScreenSaver.ini"); }
    std::string texturePath(const std::string& section) const { return dir.file(section + ".jpg"); }
    std::string iniText() const { return ReadFileBytes(iniPath()); }

    TempDir dir;
    SettingsFile file{dir.file("ScreenSaver.ini")};
};

}  // namespace

TEST(FontStyleText, WritesTheNamesInFixedOrderAndFindsThemAnywhere)
{
    struct Case { FontStyleSet style; const char* text; };
    const Case writes[] = {
        {{}, "[]"},
        {{.bold = true, .underline = true}, "[fsBold,fsUnderline]"},
        {{.italic = true, .strikeOut = true}, "[fsItalic,fsStrikeOut]"},
        {{.strikeOut = true}, "[fsStrikeOut]"},
        {{true, true, true, true}, "[fsBold,fsItalic,fsUnderline,fsStrikeOut]"},
    };
    for (const Case& c : writes) {
        EXPECT_EQ(FontStyleToText(c.style), c.text);
        EXPECT_EQ(TextToFontStyle(c.text), c.style) << c.text;
    }
    const Case reads[] = {
        {{.bold = true, .strikeOut = true}, "[fsStrikeOut,fsBold]"},
        {{}, "fsitalic"},
        {{}, "[Bold]"},
        {{}, ""},
        {{.italic = true}, "xfsItalicx"},
        {{.bold = true, .underline = true}, "fsUnderline fsBold fsBold"},
    };
    for (const Case& c : reads)
        EXPECT_EQ(TextToFontStyle(c.text), c.style) << c.text;
}

TEST_F(LabelStylePersistence, RoundTripsEveryFieldInKeyOrderWithTheJpegTextureByteForByte)
{
    const QByteArray jpeg = EncodeJpeg(Swatch(), 75);
    StyledLabel original;
    original.setFont({.Name = "黑体", .Size = 36, .Color = -16777208,
                      .Style = {.italic = true, .strikeOut = true}});
    TextEffect effect;
    effect.Alpha = 55; effect.Blur = 7; effect.Noise = 200; effect.Spray = 255; effect.Angle = -360;
    effect.Outline = true; effect.HorzMirror = true; effect.VertMirror = true;
    effect.Shadow = {.Enabled = true, .Alpha = 12, .Blur = 0, .Color = 255, .OffsetX = -20, .OffsetY = 20};
    effect.Gradual = {.Enabled = true, .StartColor = 123456, .EndColor = -1, .Style = gsCenterToTB};
    effect.Texture.Enabled = true;
    effect.Texture.Mode = tmNormal;
    effect.Texture.Picture = PictureFromFile(dir, "source.jpg", jpeg);
    original.setEffect(effect);

    SaveLabelStyle(file, original, "StartEnd");

    const std::string text = iniText();
    size_t last = 0;
    for (const char* key : kKeysInOrder) {
        const size_t at = text.find("\n" + std::string(key) + "=", last);
        ASSERT_NE(at, std::string::npos) << key << " missing or out of order";
        last = at + 1;
    }
    EXPECT_EQ(ReadFileBytes(texturePath("StartEnd")), jpeg.toStdString());

    StyledLabel loaded;
    EXPECT_EQ(LoadLabelStyle(file, loaded, "StartEnd"), std::nullopt);
    const LabelFont& font = loaded.font();
    EXPECT_EQ(font.Name, "黑体");
    EXPECT_EQ(font.Size, 36);
    EXPECT_EQ(font.Color, -16777208);
    EXPECT_EQ(font.Style, original.font().Style);
    const TextEffect& e = loaded.effect();
    EXPECT_EQ(std::vector<int>({e.Alpha, e.Blur, e.Noise, e.Spray, e.Angle, e.Outline, e.HorzMirror,
                                e.VertMirror}),
              std::vector<int>({55, 7, 200, 255, -360, 1, 1, 1}));
    EXPECT_EQ(std::vector<int>({e.Shadow.Enabled, e.Shadow.Alpha, e.Shadow.Blur, e.Shadow.Color,
                                e.Shadow.OffsetX, e.Shadow.OffsetY}),
              std::vector<int>({1, 12, 0, 255, -20, 20}));
    EXPECT_EQ(std::vector<int>({e.Gradual.Enabled, e.Gradual.StartColor, e.Gradual.EndColor,
                                e.Gradual.Style, e.Texture.Enabled, e.Texture.Mode}),
              std::vector<int>({1, 123456, -1, gsCenterToTB, 1, tmNormal}));
    EXPECT_EQ(e.Texture.Picture.kind, PictureKind::Jpeg);
    EXPECT_EQ(e.Texture.Picture.sourceBytes, jpeg);

    // Saving the loaded style again writes the very same bytes.
    const std::string before = ReadFileBytes(texturePath("StartEnd"));
    SaveLabelStyle(file, loaded, "StartEnd");
    EXPECT_EQ(ReadFileBytes(texturePath("StartEnd")), before);
}

TEST_F(LabelStylePersistence, StoredIntegersKeepTheFieldWidthAndEnumerationsFallBackToTheFirst)
{
    struct Case { const char* key; int stored; int (*field)(const TextEffect&); int expected; };
    const Case cases[] = {
        {"Alpha", 300, [](const TextEffect& e) { return int(e.Alpha); }, 44},
        {"Noise", -1, [](const TextEffect& e) { return int(e.Noise); }, 255},
        {"Angle", 70000, [](const TextEffect& e) { return int(e.Angle); }, 4464},
        {"Angle", -360, [](const TextEffect& e) { return int(e.Angle); }, -360},
        {"ShadowOffsetX", -3, [](const TextEffect& e) { return int(e.Shadow.OffsetX); }, -3},
        {"ShadowOffsetY", 200, [](const TextEffect& e) { return int(e.Shadow.OffsetY); }, -56},
        {"ShadowAlpha", 256, [](const TextEffect& e) { return int(e.Shadow.Alpha); }, 0},
        {"GradualStyle", 5, [](const TextEffect& e) { return int(e.Gradual.Style); }, 5},
        {"GradualStyle", 6, [](const TextEffect& e) { return int(e.Gradual.Style); }, 0},
        {"GradualStyle", 262, [](const TextEffect& e) { return int(e.Gradual.Style); }, 0},  // low byte 6
        {"TextureMode", 3, [](const TextEffect& e) { return int(e.Texture.Mode); }, 3},
        {"TextureMode", 7, [](const TextEffect& e) { return int(e.Texture.Mode); }, 0},
        {"Outline", 2, [](const TextEffect& e) { return int(e.Outline); }, 1},
    };
    for (const Case& c : cases) {
        file.WriteInteger("N", c.key, c.stored);
        StyledLabel label;
        LoadLabelStyle(file, label, "N");
        EXPECT_EQ(c.field(label.effect()), c.expected) << c.key << "=" << c.stored;
    }
}

TEST_F(LabelStylePersistence, MissingKeysGiveFixedFontDefaultsAndTheLabelsOwnEffect)
{
    file.WriteString("System", "Title", "unrelated");  // a file without any style section
    WriteFileBytes(texturePath("Week"), EncodeJpeg(Swatch()).toStdString());

    struct Case { const char* reader; const char* section; TextEffect before; bool shadow, texture; };
    TextEffect saverPlain;
    saverPlain.Shadow.Enabled = true;
    const Case cases[] = {
        {"saver Title", "Title", SaverTexturedEffect(), true, true},
        {"saver StartEnd", "StartEnd", saverPlain, true, false},
        {"saver ltw", "Week", SaverTexturedEffect(), true, true},
        {"dialog carrier", "Week", TextEffect{}, false, false},
    };
    for (const Case& c : cases) {
        StyledLabel label;
        label.setFont({.Name = "Arial", .Size = 9, .Color = 255, .Style = {.bold = true}});
        label.setEffect(c.before);
        EXPECT_EQ(LoadLabelStyle(file, label, c.section), std::nullopt);
        SCOPED_TRACE(c.reader);
        EXPECT_EQ(label.font().Name, "宋体");
        EXPECT_EQ(label.font().Size, 48);
        EXPECT_EQ(label.font().Color, 0);
        EXPECT_EQ(label.font().Style, FontStyleSet{});
        EXPECT_EQ(label.effect().Shadow.Enabled, c.shadow);
        EXPECT_EQ(label.effect().Texture.Enabled, c.texture);
        EXPECT_EQ(label.effect().Alpha, 100);
        // Only an enabled texture picks up an existing texture file.
        const bool expectPicture = c.texture && std::string(c.section) == "Week";
        EXPECT_EQ(!label.effect().Texture.Picture.isEmpty(), expectPicture);
    }

    // The dialog saves its carriers' defaults back: the saver's labels lose shadow and texture.
    StyledLabel carrier;
    LoadLabelStyle(file, carrier, "N");
    SaveLabelStyle(file, carrier, "N");
    EXPECT_EQ(file.ReadInteger("N", "Shadow", -1), 0);
    EXPECT_EQ(file.ReadInteger("N", "Texture", -1), 0);
}

TEST_F(LabelStylePersistence, ADisabledTexturePictureIsStillWrittenAndAClearedOneLeavesTheOldFile)
{
    StyledLabel label;
    TextEffect effect;
    effect.Texture.Picture = PictureFromFile(dir, "swatch.bmp", QByteArray::fromStdString(EncodedImage(Swatch(), "BMP")));
    ASSERT_EQ(effect.Texture.Picture.kind, PictureKind::Bitmap);
    label.setEffect(effect);
    SaveLabelStyle(file, label, "Title");

    // A bitmap is stored as a JPEG of the same picture.
    const Picture stored = LoadPicture(texturePath("Title"));
    EXPECT_EQ(stored.kind, PictureKind::Jpeg);
    EXPECT_EQ(stored.image.size(), Swatch().size());

    StyledLabel dialog;
    LoadLabelStyle(file, dialog, "Title");
    EXPECT_TRUE(dialog.effect().Texture.Picture.isEmpty()) << "Texture=0 leaves the picture out";

    StyledLabel saver;
    saver.setEffect(SaverTexturedEffect());
    file.WriteBool("Title", "Texture", true);
    LoadLabelStyle(file, saver, "Title");
    EXPECT_FALSE(saver.effect().Texture.Picture.isEmpty());

    // Clearing the picture and saving leaves the file; an enabled texture loads it again.
    TextEffect cleared = saver.effect();
    cleared.Texture.Picture = Picture{};
    saver.setEffect(cleared);
    const std::string bytes = ReadFileBytes(texturePath("Title"));
    SaveLabelStyle(file, saver, "Title");
    EXPECT_EQ(ReadFileBytes(texturePath("Title")), bytes);
    StyledLabel again;
    LoadLabelStyle(file, again, "Title");
    EXPECT_FALSE(again.effect().Texture.Picture.isEmpty());
}

TEST_F(LabelStylePersistence, APictureThatCannotBecomeAJpegLeavesExactlyTheFontKeys)
{
    StyledLabel label;
    label.setFont({.Name = "楷体", .Size = 20, .Color = 7, .Style = {.underline = true}});
    TextEffect effect;
    effect.Alpha = 10;
    effect.Texture.Picture = PictureFromFile(dir, "swatch.png", QByteArray::fromStdString(EncodedImage(Swatch(), "PNG")));
    ASSERT_EQ(effect.Texture.Picture.kind, PictureKind::Png);
    label.setEffect(effect);

    EXPECT_THROW(SaveLabelStyle(file, label, "N"), PictureError);

    EXPECT_EQ(file.ReadInteger("N", "FontSize", -1), 20);
    EXPECT_EQ(file.ReadString("N", "FontName", ""), "楷体");
    EXPECT_EQ(file.ReadInteger("N", "FontColor", -1), 7);
    EXPECT_EQ(file.ReadString("N", "FontStyle", ""), "[fsUnderline]");
    for (const char* key : std::span(kKeysInOrder).subspan(4))
        EXPECT_EQ(file.ReadString("N", key, "absent"), "absent") << key;
    EXPECT_FALSE(std::filesystem::exists(texturePath("N")));
}

TEST_F(LabelStylePersistence, AnUndecodableTextureFileCostsOnlyThePictureAndIsNamed)
{
    file.WriteInteger("Title", "FontSize", 30);
    file.WriteInteger("Title", "Alpha", 60);
    file.WriteBool("Title", "Texture", true);
    WriteFileBytes(texturePath("Title"), "not a picture at all");

    StyledLabel label;
    label.setEffect(SaverTexturedEffect());
    const std::optional<std::string> problem = LoadLabelStyle(file, label, "Title");
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->find(texturePath("Title")), std::string::npos) << *problem;
    EXPECT_EQ(label.font().Size, 30);
    EXPECT_EQ(label.effect().Alpha, 60);
    EXPECT_TRUE(label.effect().Texture.Enabled);
    EXPECT_TRUE(label.effect().Texture.Picture.isEmpty());
}

TEST_F(LabelStylePersistence, ATextureFileThatCannotBeWrittenIsReportedByName)
{
    std::filesystem::create_directory(texturePath("Week"));  // a folder where the file should go
    StyledLabel label;
    TextEffect effect;
    effect.Texture.Picture = PictureFromFile(dir, "swatch.jpg", EncodeJpeg(Swatch()));
    label.setEffect(effect);
    try {
        SaveLabelStyle(file, label, "Week");
        FAIL() << "the save went on";
    } catch (const SettingsWriteError& error) {
        EXPECT_EQ(error.path(), texturePath("Week"));
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + texturePath("Week"));
    }
    EXPECT_EQ(file.ReadString("Week", "Alpha", "absent"), "absent");
}
