// The font-and-effect dialog through its own controls: what it shows for a style, what it gives
// back, the sample it draws, the font it takes from the font chooser and the texture picture.

#include "components/font_effect_dialog.h"

#include "components/colour_combo.h"
#include "components/colours.h"
#include "components/styled_label.h"
#include "support/image_bytes.h"
#include "support/temp_dir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <gtest/gtest.h>

#include <vector>

namespace {

template <class T>
T* Find(QWidget& root, const char* name)
{
    T* widget = root.findChild<T*>(QString::fromLatin1(name));
    if (!widget)
        ADD_FAILURE() << "no widget " << name;
    return widget;
}

// An effect with every field away from its default.
TextEffect EveryFieldSet()
{
    TextEffect effect;
    effect.Alpha = 55;
    effect.Blur = 12;
    effect.Noise = 200;
    effect.Spray = 3;
    effect.Angle = -90;
    effect.Outline = true;
    effect.HorzMirror = true;
    effect.VertMirror = true;
    effect.Shadow = {true, 40, 10, ColorToWindows(QColor(1, 2, 3)), -20, 20};
    effect.Gradual = {true, ColorToWindows(QColor(200, 0, 0)), ColorToWindows(QColor(0, 0, 200)),
                      gsCenterToTB};
    effect.Texture.Enabled = true;
    effect.Texture.Mode = tmNormal;
    return effect;
}

void ExpectSameEffect(const TextEffect& a, const TextEffect& b)
{
    EXPECT_EQ(a.Alpha, b.Alpha);
    EXPECT_EQ(a.Blur, b.Blur);
    EXPECT_EQ(a.Noise, b.Noise);
    EXPECT_EQ(a.Spray, b.Spray);
    EXPECT_EQ(a.Angle, b.Angle);
    EXPECT_EQ(a.Outline, b.Outline);
    EXPECT_EQ(a.HorzMirror, b.HorzMirror);
    EXPECT_EQ(a.VertMirror, b.VertMirror);
    EXPECT_EQ(a.Shadow.Enabled, b.Shadow.Enabled);
    EXPECT_EQ(a.Shadow.Alpha, b.Shadow.Alpha);
    EXPECT_EQ(a.Shadow.Blur, b.Shadow.Blur);
    EXPECT_EQ(a.Shadow.Color, b.Shadow.Color);
    EXPECT_EQ(a.Shadow.OffsetX, b.Shadow.OffsetX);
    EXPECT_EQ(a.Shadow.OffsetY, b.Shadow.OffsetY);
    EXPECT_EQ(a.Gradual.Enabled, b.Gradual.Enabled);
    EXPECT_EQ(a.Gradual.StartColor, b.Gradual.StartColor);
    EXPECT_EQ(a.Gradual.EndColor, b.Gradual.EndColor);
    EXPECT_EQ(a.Gradual.Style, b.Gradual.Style);
    EXPECT_EQ(a.Texture.Enabled, b.Texture.Enabled);
    EXPECT_EQ(a.Texture.Mode, b.Texture.Mode);
}

}  // namespace

TEST(FontEffectDialog, ShowsEveryFieldAndGivesItBackUntouched)
{
    FontEffectDialog dialog;
    const TextEffect effect = EveryFieldSet();
    dialog.setEffect(effect);
    LabelFont font;
    font.Name = "楷体";
    font.Size = 30;
    font.Color = ColorToWindows(QColor(9, 8, 7));
    font.Style = {.italic = true};
    dialog.setLabelFont(font);

    ExpectSameEffect(dialog.effect(), effect);
    EXPECT_EQ(dialog.labelFont().Name, "楷体");
    EXPECT_EQ(dialog.labelFont().Color, font.Color);
    EXPECT_EQ(Find<QSpinBox>(dialog, "alpha")->value(), 55);
    EXPECT_EQ(Find<QSpinBox>(dialog, "angle")->value(), -90);
    EXPECT_EQ(Find<QSpinBox>(dialog, "shadowOffsetX")->value(), -20);
    EXPECT_TRUE(Find<QCheckBox>(dialog, "vertMirror")->isChecked());
    EXPECT_TRUE(Find<QGroupBox>(dialog, "gradual")->isChecked());
    EXPECT_EQ(Find<QComboBox>(dialog, "gradualStyle")->currentIndex(), gsCenterToTB);
    EXPECT_EQ(Find<QComboBox>(dialog, "textureMode")->currentIndex(), tmNormal);
    EXPECT_EQ(Find<ColourCombo>(dialog, "shadowColour")->colour(), QColor(1, 2, 3));
    EXPECT_EQ(Find<ColourCombo>(dialog, "fontColour")->colour(), QColor(9, 8, 7));
    // The sample is drawn with exactly the style being edited.
    ExpectSameEffect(dialog.sample().effect(), effect);
    EXPECT_EQ(dialog.sample().font().Size, 30);
}

TEST(FontEffectDialog, ControlsChangeTheEffectAndTheSampleWithinTheirRanges)
{
    FontEffectDialog dialog;
    dialog.setEffect(TextEffect());
    struct Case { const char* control; int set; int shown; };
    const Case cases[] = {
        {"alpha", 150, 100}, {"blur", -5, 0}, {"noise", 255, 255}, {"spray", 300, 255},
        {"angle", -400, -360}, {"shadowAlpha", 33, 33}, {"shadowBlur", 101, 100},
        {"shadowOffsetX", -21, -20}, {"shadowOffsetY", 7, 7},
    };
    for (const Case& c : cases) {
        Find<QSpinBox>(dialog, c.control)->setValue(c.set);
        EXPECT_EQ(Find<QSpinBox>(dialog, c.control)->value(), c.shown) << c.control;
    }
    Find<QCheckBox>(dialog, "outline")->setChecked(true);
    Find<QCheckBox>(dialog, "horzMirror")->setChecked(true);
    Find<QGroupBox>(dialog, "shadow")->setChecked(true);
    Find<QGroupBox>(dialog, "texture")->setChecked(true);
    Find<QComboBox>(dialog, "textureMode")->setCurrentIndex(tmCenter);
    Find<QComboBox>(dialog, "gradualStyle")->setCurrentIndex(gsBottomToTop);
    Find<ColourCombo>(dialog, "gradualEnd")->setColour(QColor(0, 128, 0));
    Find<ColourCombo>(dialog, "fontColour")->setColour(QColor(255, 0, 0));

    const TextEffect effect = dialog.effect();
    EXPECT_EQ(effect.Alpha, 100);
    EXPECT_EQ(effect.Blur, 0);
    EXPECT_EQ(effect.Noise, 255);
    EXPECT_EQ(effect.Spray, 255);
    EXPECT_EQ(effect.Angle, -360);
    EXPECT_EQ(effect.Shadow.Alpha, 33);
    EXPECT_EQ(effect.Shadow.Blur, 100);
    EXPECT_EQ(effect.Shadow.OffsetX, -20);
    EXPECT_EQ(effect.Shadow.OffsetY, 7);
    EXPECT_TRUE(effect.Outline);
    EXPECT_TRUE(effect.HorzMirror);
    EXPECT_FALSE(effect.VertMirror);
    EXPECT_TRUE(effect.Shadow.Enabled);
    EXPECT_FALSE(effect.Gradual.Enabled);
    EXPECT_EQ(effect.Gradual.Style, gsBottomToTop);
    EXPECT_EQ(effect.Gradual.EndColor, ColorToWindows(QColor(0, 128, 0)));
    EXPECT_TRUE(effect.Texture.Enabled);
    EXPECT_EQ(effect.Texture.Mode, tmCenter);
    EXPECT_EQ(dialog.labelFont().Color, ColorToWindows(QColor(255, 0, 0)));
    ExpectSameEffect(dialog.sample().effect(), effect);
    EXPECT_EQ(dialog.sample().font().Color, ColorToWindows(QColor(255, 0, 0)));
}

TEST(FontEffectDialog, StoredValuesBeyondTheRangesSurviveWhenNothingIsChanged)
{
    // The settings keep whole bytes; a style written elsewhere may hold more than the dialog offers.
    TextEffect effect;
    effect.Alpha = 200;
    effect.Shadow.OffsetX = 100;
    FontEffectDialog dialog;
    dialog.setEffect(effect);
    EXPECT_EQ(dialog.effect().Alpha, 200);
    EXPECT_EQ(dialog.effect().Shadow.OffsetX, 100);
}

TEST(FontEffectDialog, TheFontComesFromTheChooserAndKeepsItsColour)
{
    FontEffectDialog dialog;
    LabelFont start;
    start.Color = 12345;
    dialog.setLabelFont(start);
    QFont offered;
    dialog.setFontChooser([&](const QFont& initial, QWidget*) -> std::optional<QFont> {
        offered = initial;
        QFont font(QStringLiteral("Noto Sans CJK SC"), 24);
        font.setItalic(true);
        font.setStrikeOut(true);
        return font;
    });
    Find<QPushButton>(dialog, "fontButton")->click();
    EXPECT_EQ(offered.family(), QStringLiteral("Noto Serif CJK SC"));  // 宋体 as it is drawn here
    EXPECT_EQ(offered.pointSize(), 48);
    EXPECT_EQ(dialog.labelFont().Name, "黑体");
    EXPECT_EQ(dialog.labelFont().Size, 24);
    EXPECT_EQ(dialog.labelFont().Color, 12345);
    EXPECT_EQ(dialog.labelFont().Style, (FontStyleSet{.italic = true, .strikeOut = true}));
    EXPECT_EQ(dialog.sample().font().Size, 24);

    dialog.setFontChooser([](const QFont&, QWidget*) -> std::optional<QFont> { return std::nullopt; });
    dialog.chooseFont();
    EXPECT_EQ(dialog.labelFont().Size, 24);  // a cancelled chooser changes nothing
}

TEST(FontEffectDialog, ChosenFamiliesMapBackToTheFaceNamesTheSettingsKeep)
{
    struct Case { const char* previous; QString family; const char* stored; };
    const Case cases[] = {
        {"楷体", QStringLiteral("Noto Serif CJK SC"), "楷体"},  // still what 楷体 is drawn with
        {"宋体", QStringLiteral("Noto Sans CJK SC"), "黑体"},
        {"黑体", QStringLiteral("Noto Serif CJK SC"), "宋体"},
        {"宋体", QStringLiteral("DejaVu Sans"), "DejaVu Sans"},
        {"Arial", QStringLiteral("Arial"), "Arial"},
    };
    for (const Case& c : cases) {
        LabelFont previous;
        previous.Name = c.previous;
        QFont font(c.family, 10);
        font.setBold(true);
        const LabelFont result = FromQFont(font, previous);
        EXPECT_EQ(result.Name, c.stored) << c.previous << " -> " << c.family.toStdString();
        EXPECT_EQ(result.Size, 10);
        EXPECT_TRUE(result.Style.bold);
    }
}

TEST(FontEffectDialog, TexturePicturesLoadFromAnySupportedKindReportFailuresAndClear)
{
    TempDir dir;
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    WriteFileBytes(dir.file("t.bmp"), EncodedImage(image, "BMP"));
    WriteFileBytes(dir.file("t.png"), EncodedImage(image, "PNG"));
    WriteFileBytes(dir.file("broken.jpg"), "no jpeg here");

    std::vector<QString> reports;
    FontEffectDialog dialog;
    dialog.setErrorReporter([&](const QString& text) { reports.push_back(text); });
    Find<QGroupBox>(dialog, "texture")->setChecked(true);  // its buttons work while it is on
    for (const char* name : {"t.bmp", "t.png"}) {
        dialog.setPictureChooser([&](QWidget*) { return QString::fromStdString(dir.file(name)); });
        Find<QPushButton>(dialog, "loadTexture")->click();
        ASSERT_FALSE(dialog.effect().Texture.Picture.isEmpty()) << name;
        EXPECT_EQ(dialog.effect().Texture.Picture.image.size(), QSize(8, 4)) << name;
    }
    EXPECT_TRUE(reports.empty());
    const PictureKind loaded = dialog.effect().Texture.Picture.kind;

    EXPECT_FALSE(dialog.loadTexture(QString::fromStdString(dir.file("broken.jpg"))));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0].contains(QStringLiteral("broken.jpg"))) << reports[0].toStdString();
    EXPECT_EQ(dialog.effect().Texture.Picture.kind, loaded);  // the last good picture stays

    dialog.setPictureChooser([](QWidget*) { return QString(); });
    dialog.chooseTexture();  // cancelled: nothing changes
    EXPECT_FALSE(dialog.effect().Texture.Picture.isEmpty());

    Find<QPushButton>(dialog, "clearTexture")->click();
    EXPECT_TRUE(dialog.effect().Texture.Picture.isEmpty());
    EXPECT_TRUE(dialog.sample().effect().Texture.Picture.isEmpty());
}

TEST(ColourCombo, SelectsPaletteEntriesOrAnEntryOfItsOwnAndAsksForOthers)
{
    ColourCombo combo;
    std::vector<QColor> changes;
    QObject::connect(&combo, &ColourCombo::colourChanged, [&](const QColor& c) { changes.push_back(c); });
    const int entries = combo.count();

    combo.setColour(ColorFromWindows(15780518));  // sky blue is in the palette
    EXPECT_EQ(combo.currentText(), QStringLiteral("天蓝"));
    EXPECT_EQ(combo.count(), entries);
    combo.setColour(QColor(1, 2, 3));
    EXPECT_EQ(combo.currentText(), QStringLiteral("#010203"));
    EXPECT_EQ(combo.count(), entries + 1);
    combo.setColour(QColor(4, 5, 6));  // one entry of its own, reused
    EXPECT_EQ(combo.count(), entries + 1);
    EXPECT_EQ(changes.size(), 3u);

    // The last entry asks for any colour; cancelling keeps the current one.
    std::optional<QColor> answer;
    combo.setColourChooser([&](const QColor&, QWidget*) { return answer; });
    emit combo.activated(combo.chooserIndex());
    EXPECT_EQ(combo.colour(), QColor(4, 5, 6));
    EXPECT_EQ(combo.currentText(), QStringLiteral("#040506"));
    answer = QColor(255, 255, 0);
    emit combo.activated(combo.chooserIndex());
    EXPECT_EQ(combo.colour(), QColor(255, 255, 0));
    EXPECT_EQ(combo.currentText(), QStringLiteral("黄色"));
    // Choosing a palette entry picks its colour.
    emit combo.activated(0);
    EXPECT_EQ(combo.colour(), QColor(0, 0, 0));
    EXPECT_EQ(changes.size(), 5u);
}
