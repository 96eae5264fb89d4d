// The settings dialog through its real widgets on Qt's offscreen platform: what it shows for a
// settings file, and what it writes back for what the user did.

#include "settings/f_setup.h"

#include "components/colour_combo.h"
#include "components/colours.h"
#include "components/directory_edit.h"
#include "components/font_effect_dialog.h"
#include "components/jpeg_codec.h"
#include "components/styled_label.h"
#include "settings/label_style_persistence.h"
#include "settings/setting_keys.h"
#include "settings/settings_file.h"
#include "support/image_bytes.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <vector>

namespace {

constexpr int kScreenHeight = 1080;

// The section names of an INI text in file order, and the key names of one of its sections.
std::vector<std::string> Sections(const std::string& text)
{
    std::vector<std::string> sections;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > 2 && line.front() == '[' && line.back() == ']')
            sections.push_back(line.substr(1, line.size() - 2));
    }
    return sections;
}

std::vector<std::string> KeysOf(const std::string& text, const std::string& section)
{
    std::vector<std::string> keys;
    std::istringstream lines(text);
    bool inside = false;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() == '[')
            inside = line == "[" + section + "]";
        else if (inside && line.find('=') != std::string::npos)
            keys.push_back(line.substr(0, line.find('=')));
    }
    return keys;
}

QImage Swatch(QColor colour)
{
    QImage image(12, 6, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class SettingsDialog : public testing::Test {
protected:
    std::string iniPath() const { return dir.file("ScreenSaver.ini"); }
    std::string appDirectory() const { return dir.path() + "/"; }
    DefaultContext context() const { return {kScreenHeight, appDirectory()}; }

    std::unique_ptr<Tsetup> open()
    {
        SetupEnvironment environment;
        environment.appDirectory = appDirectory();
        environment.screenHeight = screenHeight;
        environment.today = [] { return EncodeDate(2024, 1, 11); };
        environment.showMessage = [this](const QString& text) { messages.push_back(text); };
        environment.showError = [this](const QString& text) { errors.push_back(text); };
        environment.runFontDialog = [this](FontEffectDialog& dialog) {
            return fontDialog ? fontDialog(dialog) : false;
        };
        auto setup = std::make_unique<Tsetup>(std::move(environment));
        setup->show();
        return setup;
    }

    // Seeds the settings file with keys written the way the program writes them.
    SettingsFile seed() { return SettingsFile(iniPath()); }

    template <class T>
    static T* find(QWidget& root, const char* name)
    {
        T* widget = root.findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            ADD_FAILURE() << "no widget " << name;
        return widget;
    }
    static QSpinBox* spin(QWidget& root, const char* name) { return find<QSpinBox>(root, name); }
    static QCheckBox* check(QWidget& root, const char* name) { return find<QCheckBox>(root, name); }

    int readInt(Setting setting) const
    {
        return ReadIntegerSetting(SettingsFile(iniPath()), setting, SettingReader::Saver, context());
    }

    TempDir dir;
    int screenHeight = kScreenHeight;
    std::vector<QString> messages;
    std::vector<QString> errors;
    std::function<bool(FontEffectDialog&)> fontDialog;
};

}  // namespace

TEST_F(SettingsDialog, IsAFixedDialogWithFiveTabsAndOkAsDefault)
{
    auto setup = open();
    EXPECT_EQ(setup->windowTitle(), QStringLiteral("Tarnik计时器屏保_设置"));
    EXPECT_EQ(setup->size(), QSize(337, 261));
    EXPECT_EQ(setup->minimumSize(), setup->maximumSize());
    EXPECT_FALSE(setup->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(setup->windowFlags() & Qt::WindowSystemMenuHint);

    auto* pages = find<QTabWidget>(*setup, "pgc1");
    ASSERT_EQ(pages->count(), 5);
    const char* titles[] = {"系统设置", "字体位置", "背景", "滚动字幕", "关于"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(pages->tabText(i), QString::fromUtf8(titles[i]));
    EXPECT_EQ(pages->tabPosition(), QTabWidget::West);
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_TRUE(find<QPushButton>(*setup, "btn_save")->isDefault());
    EXPECT_EQ(find<QPushButton>(*setup, "btn_save")->text(), QStringLiteral("确定"));
    EXPECT_EQ(find<QPushButton>(*setup, "btn_quit")->text(), QStringLiteral("取消"));
}

TEST_F(SettingsDialog, OpensWithoutASettingsFileShowingTheDefaults)
{
    auto setup = open();
    QWidget& w = *setup;
    EXPECT_EQ(find<QLineEdit>(w, "edt_bdz")->text(), QStringLiteral("Tarnik工作室成立至今"));
    EXPECT_EQ(find<QLineEdit>(w, "edt_di_hai")->text(), QStringLiteral("第"));
    EXPECT_EQ(find<QDateEdit>(w, "DateTimePicker")->date(), QDate(2004, 10, 2));
    EXPECT_EQ(find<QLabel>(w, "lbl_first")->text(), QStringLiteral("第"));
    EXPECT_EQ(find<QLabel>(w, "lbl_start")->text(), QStringLiteral(" 起始日期"));
    EXPECT_FALSE(check(w, "chk_addone")->isChecked());
    EXPECT_FALSE(check(w, "cb_lunar")->isChecked());
    EXPECT_TRUE(check(w, "chk_time")->isChecked());
    EXPECT_TRUE(check(w, "chk_week")->isChecked());

    EXPECT_TRUE(find<QRadioButton>(w, "RB_water")->isChecked());
    EXPECT_FALSE(find<QRadioButton>(w, "RB_Pure")->isChecked());
    EXPECT_EQ(find<DirectoryEdit>(w, "WaterDirectory")->text().toStdString(),
              dir.path() + "//pic");
    EXPECT_TRUE(check(w, "cb_Mouse_Close")->isChecked());
    auto* interval = find<QComboBox>(w, "cbb_inter_pic");
    EXPECT_EQ(interval->currentText(), QStringLiteral("1min"));
    EXPECT_FALSE(interval->isEnabled());
    EXPECT_FALSE(check(w, "cb_random_pic")->isChecked());
    EXPECT_EQ(ColorToWindows(find<ColourCombo>(w, "BKColor")->colour()), 15780518);
    for (const char* name : {"BKColor", "cb_random", "SE_BKColor"})
        EXPECT_FALSE(find<QWidget>(w, name)->isEnabled()) << name;
    EXPECT_EQ(spin(w, "SE_BKColor")->value(), 10);

    EXPECT_TRUE(check(w, "CB_Scroll")->isChecked());
    EXPECT_EQ(spin(w, "RepeatDelay")->value(), 5);
    EXPECT_EQ(spin(w, "ScrollDelay")->value(), 60);
    EXPECT_EQ(spin(w, "SE_step")->value(), 1);
    for (const char* name : {"logo_Left", "logo_Top", "logo_width", "logo_height"})
        EXPECT_EQ(spin(w, name)->value(), 100) << name;

    // The carriers start from construction defaults: no shadow, no texture.
    for (const StyledLabel* carrier : {&setup->titleStyle(), &setup->nStyle(),
                                       &setup->startEndStyle(), &setup->weekStyle()}) {
        EXPECT_EQ(carrier->font().Name, "宋体");
        EXPECT_EQ(carrier->font().Size, 48);
        EXPECT_FALSE(carrier->effect().Shadow.Enabled);
        EXPECT_FALSE(carrier->effect().Texture.Enabled);
    }
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(errors.empty());
}

TEST_F(SettingsDialog, DefaultPositionsFollowTheScreenHeightWithinTheSpinRange)
{
    struct Case { int height; int title, n, startEnd, ltw; };
    const Case cases[] = {
        {1080, 162, 432, 734, 864},
        {768, 115, 307, 522, 614},
        {600, 100, 240, 408, 480},   // 90 is below the range
        {1440, 216, 576, 979, 1000}, // 1152 is above it
    };
    for (const Case& c : cases) {
        screenHeight = c.height;
        auto setup = open();
        EXPECT_EQ(spin(*setup, "SE_title")->value(), c.title) << c.height;
        EXPECT_EQ(spin(*setup, "SE_n")->value(), c.n) << c.height;
        EXPECT_EQ(spin(*setup, "SE_Se")->value(), c.startEnd) << c.height;
        EXPECT_EQ(spin(*setup, "SE_Time")->value(), c.ltw) << c.height;
    }
}

TEST_F(SettingsDialog, SaveWithoutChangesWritesEveryKeyInOrderWithTheDefaults)
{
    auto setup = open();
    setup->btn_saveClick();
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(setup->result(), QDialog::Accepted);
    EXPECT_FALSE(setup->isVisible());

    const std::string text = ReadFileBytes(iniPath());
    EXPECT_EQ(Sections(text), (std::vector<std::string>{"System", "Title", "N", "StartEnd", "Week",
                                                        "Water", "Pure", "Scroll", "LOGO"}));
    EXPECT_EQ(KeysOf(text, "System"),
              (std::vector<std::string>{"Title", "DH", "StartDate", "ADDONE", "Lunar", "Time",
                                        "Week", "Title_top", "N_top", "StartEnd", "LTW", "Mode"}));
    EXPECT_EQ(KeysOf(text, "Water"), (std::vector<std::string>{"WaterDirectory", "OnMouseClose",
                                                               "Random_pic", "Random_Inteval"}));
    EXPECT_EQ(KeysOf(text, "LOGO"), (std::vector<std::string>{"Left", "Top", "Width", "Height"}));

    // What the saver reads now is what the dialog showed.
    const SettingsFile file(iniPath());
    const DefaultContext none{0, "/nowhere/"};  // saver defaults would differ: they must not be used
    const auto str = [&](Setting s) { return ReadStringSetting(file, s, SettingReader::Saver, none); };
    // Booleans included: each must stand as the integer 1 or 0.
    const auto num = [&](Setting s) { return file.ReadInteger(KeyInfo(s).section, KeyInfo(s).key, -1); };
    EXPECT_EQ(str(Setting::Title), "Tarnik工作室成立至今");
    EXPECT_EQ(str(Setting::DH), "第");
    EXPECT_EQ(ReadDateSetting(file, Setting::StartDate, SettingReader::Saver, none),
              EncodeDate(2004, 10, 2));
    EXPECT_EQ(str(Setting::WaterDirectory), dir.path() + "//pic");
    const std::pair<Setting, int> numbers[] = {
        {Setting::AddOne, 0}, {Setting::Lunar, 0}, {Setting::Time, 1}, {Setting::Week, 1},
        {Setting::TitleTop, 162}, {Setting::NTop, 432}, {Setting::StartEndTop, 734},
        {Setting::LtwTop, 864}, {Setting::Mode, 0}, {Setting::OnMouseClose, 1},
        {Setting::RandomPic, 0}, {Setting::WaterRandomInterval, 60}, {Setting::BKColor, 15780518},
        {Setting::RandomBk, 0}, {Setting::PureRandomInterval, 10}, {Setting::Scroll, 1},
        {Setting::RepeatDelay, 5}, {Setting::ScrollDelay, 60}, {Setting::Step, 1},
        {Setting::LogoLeft, 100}, {Setting::LogoTop, 100}, {Setting::LogoWidth, 100},
        {Setting::LogoHeight, 100}};
    for (const auto& [setting, value] : numbers)
        EXPECT_EQ(num(setting), value) << KeyInfo(setting).section << "/" << KeyInfo(setting).key;

    // Every style section now holds the carriers' construction defaults: shadow and texture off.
    for (const char* section : {"Title", "N", "StartEnd", "Week"}) {
        EXPECT_EQ(KeysOf(text, section).size(), 24u) << section;
        EXPECT_EQ(file.ReadInteger(section, "Shadow", -1), 0) << section;
        EXPECT_EQ(file.ReadInteger(section, "Texture", -1), 0) << section;
        EXPECT_EQ(file.ReadString(section, "FontName", ""), "宋体") << section;
    }
}

TEST_F(SettingsDialog, SaveAfterChangingEveryControlStoresWhatTheSaverThenReads)
{
    auto setup = open();
    QWidget& w = *setup;
    find<QLineEdit>(w, "edt_bdz")->setText(QStringLiteral("  公司成立"));
    find<QLineEdit>(w, "edt_di_hai")->setText(QStringLiteral("剩"));
    find<QDateEdit>(w, "DateTimePicker")->setDate(QDate(2030, 2, 28));
    check(w, "chk_addone")->setChecked(true);
    check(w, "cb_lunar")->setChecked(true);
    check(w, "chk_time")->setChecked(false);
    check(w, "chk_week")->setChecked(false);
    spin(w, "SE_title")->setValue(120);
    spin(w, "SE_n")->setValue(340);
    spin(w, "SE_Se")->setValue(560);
    spin(w, "SE_Time")->setValue(980);
    spin(w, "logo_Left")->setValue(1);
    spin(w, "logo_Top")->setValue(2000);
    spin(w, "logo_width")->setValue(5);
    spin(w, "logo_height")->setValue(640);
    find<QRadioButton>(w, "RB_Pure")->click();
    find<DirectoryEdit>(w, "WaterDirectory")->setText(QStringLiteral("/srv/图片"));
    check(w, "cb_Mouse_Close")->setChecked(false);
    check(w, "cb_random_pic")->click();
    find<QComboBox>(w, "cbb_inter_pic")->setCurrentIndex(5);
    find<ColourCombo>(w, "BKColor")->setColour(QColor(1, 2, 3));
    check(w, "cb_random")->setChecked(true);
    spin(w, "SE_BKColor")->setValue(60);
    check(w, "CB_Scroll")->setChecked(false);
    spin(w, "RepeatDelay")->setValue(2);
    spin(w, "ScrollDelay")->setValue(200);
    spin(w, "SE_step")->setValue(3);

    // The title's style, edited through the font-and-effect dialog's own controls.
    WriteFileBytes(dir.file("swatch.bmp"), EncodedImage(Swatch(Qt::darkGreen), "BMP"));
    fontDialog = [this](FontEffectDialog& dialog) {
        dialog.setFontChooser([](const QFont&, QWidget*) -> std::optional<QFont> {
            QFont font(QStringLiteral("Noto Sans CJK SC"), 36);
            font.setBold(true);
            font.setUnderline(true);
            return font;
        });
        dialog.chooseFont();
        find<ColourCombo>(dialog, "fontColour")->setColour(QColor(10, 20, 30));
        find<QSpinBox>(dialog, "angle")->setValue(-45);
        find<QGroupBox>(dialog, "shadow")->setChecked(true);
        find<QSpinBox>(dialog, "shadowOffsetX")->setValue(-20);
        find<QGroupBox>(dialog, "texture")->setChecked(true);
        find<QComboBox>(dialog, "textureMode")->setCurrentIndex(tmStretched);
        EXPECT_TRUE(dialog.loadTexture(QString::fromStdString(dir.file("swatch.bmp"))));
        return true;
    };
    find<QPushButton>(w, "btn_font_title")->click();
    setup->btn_saveClick();
    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
    ASSERT_TRUE(messages.empty());

    const SettingsFile file(iniPath());
    const auto str = [&](Setting s) { return ReadStringSetting(file, s, SettingReader::Saver, context()); };
    const auto num = [&](Setting s) { return ReadIntegerSetting(file, s, SettingReader::Saver, context()); };
    const auto flag = [&](Setting s) { return ReadBoolSetting(file, s, SettingReader::Saver, context()); };
    EXPECT_EQ(str(Setting::Title), "公司成立");  // leading blanks never survive a read
    EXPECT_EQ(str(Setting::DH), "剩");
    EXPECT_EQ(ReadDateSetting(file, Setting::StartDate, SettingReader::Saver, context()),
              EncodeDate(2030, 2, 28));
    EXPECT_TRUE(flag(Setting::AddOne));
    EXPECT_TRUE(flag(Setting::Lunar));
    EXPECT_FALSE(flag(Setting::Time));
    EXPECT_FALSE(flag(Setting::Week));
    EXPECT_EQ(num(Setting::TitleTop), 120);
    EXPECT_EQ(num(Setting::NTop), 340);
    EXPECT_EQ(num(Setting::StartEndTop), 560);
    EXPECT_EQ(num(Setting::LtwTop), 980);
    EXPECT_EQ(num(Setting::Mode), 1);
    EXPECT_EQ(str(Setting::WaterDirectory), "/srv/图片");
    EXPECT_FALSE(flag(Setting::OnMouseClose));
    EXPECT_TRUE(flag(Setting::RandomPic));
    EXPECT_EQ(num(Setting::WaterRandomInterval), 1000);  // "10min"
    EXPECT_EQ(num(Setting::BKColor), ColorToWindows(QColor(1, 2, 3)));
    EXPECT_TRUE(flag(Setting::RandomBk));
    EXPECT_EQ(num(Setting::PureRandomInterval), 60);
    EXPECT_FALSE(flag(Setting::Scroll));
    EXPECT_EQ(num(Setting::RepeatDelay), 2);
    EXPECT_EQ(num(Setting::ScrollDelay), 200);
    EXPECT_EQ(num(Setting::Step), 3);
    EXPECT_EQ(num(Setting::LogoLeft), 1);
    EXPECT_EQ(num(Setting::LogoTop), 2000);
    EXPECT_EQ(num(Setting::LogoWidth), 5);
    EXPECT_EQ(num(Setting::LogoHeight), 640);

    StyledLabel title;
    EXPECT_FALSE(LoadLabelStyle(file, title, "Title"));
    EXPECT_EQ(title.font().Name, "黑体");
    EXPECT_EQ(title.font().Size, 36);
    EXPECT_EQ(title.font().Color, ColorToWindows(QColor(10, 20, 30)));
    EXPECT_EQ(title.font().Style, (FontStyleSet{.bold = true, .underline = true}));
    EXPECT_EQ(title.effect().Angle, -45);
    EXPECT_TRUE(title.effect().Shadow.Enabled);
    EXPECT_EQ(title.effect().Shadow.OffsetX, -20);
    EXPECT_TRUE(title.effect().Texture.Enabled);
    EXPECT_EQ(title.effect().Texture.Mode, tmStretched);
    ASSERT_FALSE(title.effect().Texture.Picture.isEmpty());
    EXPECT_EQ(title.effect().Texture.Picture.kind, PictureKind::Jpeg);
    EXPECT_EQ(title.effect().Texture.Picture.image.size(), QSize(12, 6));
    // Only the edited style changed.
    StyledLabel n;
    EXPECT_FALSE(LoadLabelStyle(file, n, "N"));
    EXPECT_EQ(n.font().Name, "宋体");
    EXPECT_FALSE(n.effect().Shadow.Enabled);
    EXPECT_FALSE(std::filesystem::exists(dir.file("N.jpg")));
}

TEST_F(SettingsDialog, CancelAfterAFontChangeLeavesTheFileAndTexturesUntouched)
{
    {
        SettingsFile file = seed();
        file.WriteString("System", "Title", "旧标题");
        file.WriteInteger("Title", "Texture", 1);
    }
    const QByteArray texture = EncodeJpeg(Swatch(Qt::red));
    WriteFileBytes(dir.file("Title.jpg"), texture.toStdString());
    WriteFileBytes(dir.file("other.bmp"), EncodedImage(Swatch(Qt::blue), "BMP"));
    const std::string before = ReadFileBytes(iniPath());

    auto setup = open();
    ASSERT_FALSE(setup->titleStyle().effect().Texture.Picture.isEmpty());
    fontDialog = [this](FontEffectDialog& dialog) {
        find<QSpinBox>(dialog, "alpha")->setValue(10);
        EXPECT_TRUE(dialog.loadTexture(QString::fromStdString(dir.file("other.bmp"))));
        return true;
    };
    find<QPushButton>(*setup, "btn_font_title")->click();
    EXPECT_EQ(setup->titleStyle().effect().Alpha, 10);  // the carrier took the change
    find<QPushButton>(*setup, "btn_quit")->click();

    EXPECT_EQ(setup->result(), QDialog::Rejected);
    EXPECT_FALSE(setup->isVisible());
    EXPECT_EQ(ReadFileBytes(iniPath()), before);
    EXPECT_EQ(ReadFileBytes(dir.file("Title.jpg")), texture.toStdString());
    EXPECT_FALSE(std::filesystem::exists(dir.file("N.jpg")));
}

TEST_F(SettingsDialog, CancellingTheFontDialogChangesNoStyle)
{
    auto setup = open();
    fontDialog = [this](FontEffectDialog& dialog) {
        find<QSpinBox>(dialog, "blur")->setValue(50);
        find<QGroupBox>(dialog, "gradual")->setChecked(true);
        return false;
    };
    for (const char* button : {"btn_font_title", "btn_font_n", "btn_font_start_end", "btn_font_week"})
        find<QPushButton>(*setup, button)->click();
    for (const StyledLabel* carrier : {&setup->titleStyle(), &setup->nStyle(),
                                       &setup->startEndStyle(), &setup->weekStyle()}) {
        EXPECT_EQ(carrier->effect().Blur, 0);
        EXPECT_FALSE(carrier->effect().Gradual.Enabled);
    }
}

TEST_F(SettingsDialog, EachFontButtonEditsItsOwnStyleStartingFromIt)
{
    {
        SettingsFile file = seed();
        file.WriteInteger("N", "FontSize", 20);
        file.WriteInteger("StartEnd", "FontSize", 30);
        file.WriteInteger("Week", "FontSize", 40);
        file.WriteInteger("Title", "FontSize", 10);
    }
    auto setup = open();
    struct Case { const char* button; const StyledLabel* carrier; int sizeShown; };
    const Case cases[] = {{"btn_font_title", &setup->titleStyle(), 10},
                          {"btn_font_n", &setup->nStyle(), 20},
                          {"btn_font_start_end", &setup->startEndStyle(), 30},
                          {"btn_font_week", &setup->weekStyle(), 40}};
    for (const Case& c : cases) {
        int shown = 0;
        fontDialog = [&](FontEffectDialog& dialog) {
            shown = dialog.labelFont().Size;
            find<QSpinBox>(dialog, "noise")->setValue(shown + 1);
            return true;
        };
        find<QPushButton>(*setup, c.button)->click();
        EXPECT_EQ(shown, c.sizeShown) << c.button;
        EXPECT_EQ(c.carrier->effect().Noise, c.sizeShown + 1) << c.button;
    }
}

TEST_F(SettingsDialog, PictureIntervalsMapToTheListAndOthersStayAsStored)
{
    struct Case { int stored; QString shown; int choose; int saved; };
    const Case cases[] = {
        {30, QStringLiteral("30s"), -1, 30},
        {300, QStringLiteral("5min"), -1, 300},
        {1000, QStringLiteral("10min"), -1, 1000},
        {90, QString(), -1, 90},     // no entry: untouched by OK
        {600, QString(), -1, 600},   // "10min" is stored as 1000, so 600 has no entry either
        {600, QString(), 5, 1000},
        {90, QString(), 2, 120},
    };
    for (const Case& c : cases) {
        seed().WriteInteger("Water", "Random_Inteval", c.stored);
        auto setup = open();
        auto* list = find<QComboBox>(*setup, "cbb_inter_pic");
        EXPECT_EQ(list->currentText(), c.shown) << c.stored;
        if (c.choose >= 0)
            list->setCurrentIndex(c.choose);
        setup->btn_saveClick();
        EXPECT_EQ(readInt(Setting::WaterRandomInterval), c.saved) << c.stored;
    }
}

TEST_F(SettingsDialog, ModeSelectsTheBackgroundAndItsControls)
{
    struct Case { int mode; bool water, pure, directory, colour; int saved; };
    const Case cases[] = {
        {0, true, false, true, false, 0},
        {1, false, true, false, true, 1},
        {2, false, false, true, true, 1},  // neither selected: everything stays usable
        {-1, false, false, true, true, 1},
    };
    for (const Case& c : cases) {
        seed().WriteInteger("System", "Mode", c.mode);
        auto setup = open();
        QWidget& w = *setup;
        EXPECT_EQ(find<QRadioButton>(w, "RB_water")->isChecked(), c.water) << c.mode;
        EXPECT_EQ(find<QRadioButton>(w, "RB_Pure")->isChecked(), c.pure) << c.mode;
        EXPECT_EQ(find<QWidget>(w, "WaterDirectory")->isEnabled(), c.directory) << c.mode;
        EXPECT_EQ(check(w, "cb_Mouse_Close")->isEnabled(), c.directory) << c.mode;
        for (const char* name : {"cb_random", "SE_BKColor", "BKColor"})
            EXPECT_EQ(find<QWidget>(w, name)->isEnabled(), c.colour) << c.mode << name;
        setup->btn_saveClick();
        EXPECT_EQ(readInt(Setting::Mode), c.saved) << c.mode;
    }
}

TEST_F(SettingsDialog, RadioButtonsAndRandomPictureSwitchTheirControls)
{
    auto setup = open();
    QWidget& w = *setup;
    find<QRadioButton>(w, "RB_Pure")->click();
    EXPECT_FALSE(find<QWidget>(w, "WaterDirectory")->isEnabled());
    EXPECT_FALSE(check(w, "cb_Mouse_Close")->isEnabled());
    EXPECT_TRUE(find<QWidget>(w, "BKColor")->isEnabled());
    // The picture interval belongs to no radio button: it follows only its own check box.
    EXPECT_TRUE(check(w, "cb_random_pic")->isEnabled());
    check(w, "cb_random_pic")->click();
    EXPECT_TRUE(find<QComboBox>(w, "cbb_inter_pic")->isEnabled());
    find<QRadioButton>(w, "RB_water")->click();
    EXPECT_TRUE(find<QWidget>(w, "WaterDirectory")->isEnabled());
    EXPECT_FALSE(find<QWidget>(w, "SE_BKColor")->isEnabled());
    EXPECT_TRUE(find<QComboBox>(w, "cbb_inter_pic")->isEnabled());
    check(w, "cb_random_pic")->click();
    EXPECT_FALSE(find<QComboBox>(w, "cbb_inter_pic")->isEnabled());
}

TEST_F(SettingsDialog, StoredValuesOutsideTheSpinRangesShowAndSaveAsTheNearerBound)
{
    struct Case { const char* section; const char* key; int stored; const char* control; int bound; Setting setting; };
    const Case cases[] = {
        {"System", "Title_top", 50, "SE_title", 100, Setting::TitleTop},
        {"System", "LTW", 1152, "SE_Time", 1000, Setting::LtwTop},
        {"System", "N_top", -3, "SE_n", 100, Setting::NTop},
        {"LOGO", "Left", 0, "logo_Left", 1, Setting::LogoLeft},
        {"LOGO", "Top", 2500, "logo_Top", 2000, Setting::LogoTop},
        {"LOGO", "Width", 3, "logo_width", 5, Setting::LogoWidth},
        {"LOGO", "Height", 5000, "logo_height", 1000, Setting::LogoHeight},
        {"Pure", "Random_Inteval", 1, "SE_BKColor", 2, Setting::PureRandomInterval},
        {"Scroll", "RepeatDelay", 100, "RepeatDelay", 60, Setting::RepeatDelay},
        {"Scroll", "ScrollDelay", 1, "ScrollDelay", 5, Setting::ScrollDelay},
        {"Scroll", "Step", 7, "SE_step", 3, Setting::Step},
    };
    {
        SettingsFile file = seed();
        for (const Case& c : cases)
            file.WriteInteger(c.section, c.key, c.stored);
    }
    auto setup = open();
    for (const Case& c : cases)
        EXPECT_EQ(spin(*setup, c.control)->value(), c.bound) << c.control;
    setup->btn_saveClick();
    for (const Case& c : cases)
        EXPECT_EQ(readInt(c.setting), c.bound) << c.key;
}

TEST_F(SettingsDialog, TypedValuesOutsideTheRangeBecomeTheNearerBoundOnLeaving)
{
    auto setup = open();
    QSpinBox* box = spin(*setup, "SE_title");
    box->findChild<QLineEdit*>()->setText(QStringLiteral("50"));  // acceptable as a start of typing only
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(box, &leave);
    EXPECT_EQ(box->value(), 100);
    EXPECT_EQ(box->singleStep(), 20);

    // Enter in the box corrects it too before OK takes the values.
    QSpinBox* step = spin(*setup, "ScrollDelay");
    step->findChild<QLineEdit*>()->setText(QStringLiteral("2"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(step, &enter);
    EXPECT_EQ(step->value(), 5);
}

TEST_F(SettingsDialog, CaptionsFollowWhetherTheDateIsADeadline)
{
    auto setup = open();
    auto* picker = find<QDateEdit>(*setup, "DateTimePicker");
    struct Case { QDate date; const char* first; const char* start; };
    const Case cases[] = {
        {QDate(2024, 1, 12), "剩", "截止日期"},
        {QDate(2024, 1, 11), "第", " 起始日期"},  // today counts as a start
        {QDate(2099, 12, 31), "剩", "截止日期"},
        {QDate(2024, 1, 10), "第", " 起始日期"},
    };
    for (const Case& c : cases) {
        picker->setDate(c.date);
        EXPECT_EQ(find<QLabel>(*setup, "lbl_first")->text(), QString::fromUtf8(c.first));
        EXPECT_EQ(find<QLabel>(*setup, "lbl_start")->text(), QString::fromUtf8(c.start));
    }
    // The prefix the saver uses is the user's; the captions only suggest it.
    EXPECT_EQ(find<QLineEdit>(*setup, "edt_di_hai")->text(), QStringLiteral("第"));
}

TEST_F(SettingsDialog, AStoredFutureDateLabelsTheDeadlineFromTheStart)
{
    seed().WriteDate("System", "StartDate", EncodeDate(2025, 1, 1));
    auto setup = open();
    EXPECT_EQ(find<QLabel>(*setup, "lbl_first")->text(), QStringLiteral("剩"));
    EXPECT_EQ(find<QLabel>(*setup, "lbl_start")->text(), QStringLiteral("截止日期"));
}

TEST_F(SettingsDialog, TheProgramsOwnFolderIsRefusedAsPictureFolder)
{
    // Stored: refused while the dialog opens.
    seed().WriteString("Water", "WaterDirectory", dir.path());
    auto setup = open();
    auto* folder = find<DirectoryEdit>(*setup, "WaterDirectory");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QStringLiteral("请不要选择程序所在路径!"));
    EXPECT_TRUE(folder->text().isEmpty());

    // Chosen in the folder browser.
    folder->setFolderBrowser([this](QWidget*, const QString&) {
        return QString::fromStdString(dir.path());
    });
    folder->browseButton()->click();
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_TRUE(folder->text().isEmpty());

    // Typed key by key on the way to a subfolder: refused the moment it names the folder.
    const QString subfolder = QString::fromStdString(dir.path() + "/pic");
    for (const QChar character : subfolder)
        folder->lineEdit()->insert(QString(character));
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_EQ(folder->text(), QStringLiteral("/pic"));

    // Near misses pass: a subfolder, a trailing separator, another letter case.
    for (const std::string& text : {dir.path() + "/pic", dir.path() + "/", dir.path() + "X"}) {
        folder->setText(QString::fromStdString(text));
        EXPECT_EQ(folder->text().toStdString(), text);
    }
    EXPECT_EQ(messages.size(), 3u);
}

TEST_F(SettingsDialog, AReadOnlySettingsFileReportsTheErrorAndKeepsTheDialogOpen)
{
    seed().WriteString("System", "Title", "旧标题");
    const std::string before = ReadFileBytes(iniPath());
    std::filesystem::permissions(iniPath(), std::filesystem::perms(0444));

    auto setup = open();
    find<QLineEdit>(*setup, "edt_bdz")->setText(QStringLiteral("新标题"));
    find<QPushButton>(*setup, "btn_save")->click();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].toStdString(), "Unable to write to " + iniPath());
    EXPECT_TRUE(setup->isVisible());
    EXPECT_EQ(setup->result(), 0);
    EXPECT_EQ(ReadFileBytes(iniPath()), before);

    // Once the file can be written again, OK saves and closes.
    std::filesystem::permissions(iniPath(), std::filesystem::perms(0644));
    find<QPushButton>(*setup, "btn_save")->click();
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_FALSE(setup->isVisible());
    EXPECT_EQ(SettingsFile(iniPath()).ReadString("System", "Title", ""), "新标题");
}

TEST_F(SettingsDialog, ATextureThatCannotBecomeAJpegStopsTheSaveAfterWhatWasWritten)
{
    WriteFileBytes(dir.file("texture.png"), EncodedImage(Swatch(Qt::yellow), "PNG"));
    auto setup = open();
    find<QLineEdit>(*setup, "edt_bdz")->setText(QStringLiteral("新标题"));
    fontDialog = [this](FontEffectDialog& dialog) {
        find<QSpinBox>(dialog, "blur")->setValue(7);
        return dialog.loadTexture(QString::fromStdString(dir.file("texture.png")));
    };
    find<QPushButton>(*setup, "btn_font_n")->click();
    setup->btn_saveClick();

    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(setup->isVisible());
    const SettingsFile file(iniPath());
    // System keys and the Title style came before the failing N style; nothing after it.
    EXPECT_EQ(file.ReadString("System", "Title", ""), "新标题");
    EXPECT_EQ(file.ReadInteger("Title", "Alpha", -1), 100);
    EXPECT_EQ(file.ReadInteger("N", "FontSize", -1), 48);
    EXPECT_EQ(file.ReadInteger("N", "Blur", -1), -1);
    EXPECT_EQ(file.ReadInteger("System", "Mode", -1), -1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("N.jpg")));
}

TEST_F(SettingsDialog, TextWithoutACodePage936FormIsRefusedBeforeAnythingIsWritten)
{
    struct Case { const char* control; QString text; const char* field; };
    const Case cases[] = {
        {"edt_bdz", QStringLiteral("计时 😀"), "标题"},
        {"edt_di_hai", QStringLiteral("\u0E01"), "天数前缀"},  // Thai has no GBK form
        {"edt_bdz", QStringLiteral("两\n行"), "标题"},
    };
    for (const Case& c : cases) {
        messages.clear();
        auto setup = open();
        find<QLineEdit>(*setup, c.control)->setText(c.text);
        setup->btn_saveClick();
        ASSERT_EQ(messages.size(), 1u) << c.control;
        EXPECT_TRUE(messages[0].contains(QString::fromUtf8(c.field))) << messages[0].toStdString();
        EXPECT_TRUE(errors.empty());
        EXPECT_TRUE(setup->isVisible());
        EXPECT_FALSE(std::filesystem::exists(iniPath()));
    }

    auto setup = open();
    find<DirectoryEdit>(*setup, "WaterDirectory")->setText(QStringLiteral("/srv/😀"));
    setup->btn_saveClick();
    EXPECT_TRUE(messages.back().contains(QStringLiteral("图片目录")));
    EXPECT_FALSE(std::filesystem::exists(iniPath()));
}

TEST_F(SettingsDialog, AnUndecodableTextureIsReportedAndTheRestStillLoads)
{
    {
        SettingsFile file = seed();
        file.WriteInteger("Week", "Texture", 1);
        file.WriteInteger("Week", "FontSize", 22);
        file.WriteInteger("Scroll", "Step", 2);
    }
    WriteFileBytes(dir.file("Week.jpg"), "not a picture");
    auto setup = open();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("Week.jpg"))) << errors[0].toStdString();
    EXPECT_EQ(setup->weekStyle().font().Size, 22);
    EXPECT_TRUE(setup->weekStyle().effect().Texture.Picture.isEmpty());
    EXPECT_EQ(spin(*setup, "SE_step")->value(), 2);
}
