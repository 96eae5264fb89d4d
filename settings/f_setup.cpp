#include "settings/f_setup.h"

#include "components/font_effect_dialog.h"
#include "components/font_substitution.h"
#include "components/styled_label.h"
#include "platform/regional_format.h"
#include "settings/about_tab.h"
#include "settings/app_directory.h"
#include "settings/background_tab.h"
#include "settings/fonts_tab.h"
#include "settings/label_style_persistence.h"
#include "settings/scroll_tab.h"
#include "settings/setting_keys.h"
#include "settings/setup_style.h"
#include "settings/setup_tab.h"
#include "settings/system_tab.h"

#include <QApplication>
#include <QDate>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTime>

#include <exception>

namespace {

constexpr int kClientWidth = 337;
constexpr int kClientHeight = 261;

QString DateText(DateTime value)
{
    const CalendarDate date = DecodeDate(value);
    return QStringLiteral("%1年%2月%3日").arg(date.year).arg(date.month).arg(date.day);
}

}  // namespace

SetupEnvironment DefaultSetupEnvironment()
{
    SetupEnvironment environment;
    environment.appDirectory = AppDirectory();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        environment.screenHeight = screen->geometry().height();
    environment.today = [] { return FromQDate(QDate::currentDate()); };
    environment.showMessage = [](const QString& text) {
        QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(), text);
    };
    environment.showError = [](const QString& text) {
        QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), text);
    };
    environment.runFontDialog = [](FontEffectDialog& dialog) { return dialog.run(); };
    return environment;
}

Tsetup::Tsetup(SetupEnvironment environment, QWidget* parent)
    : QDialog(parent),
      environment_(std::move(environment)),
      file_(environment_.appDirectory + "ScreenSaver.ini"),
      AALabel_title(std::make_unique<StyledLabel>()),
      AALabel_n(std::make_unique<StyledLabel>()),
      AALabel_se(std::make_unique<StyledLabel>()),
      AALabel_week(std::make_unique<StyledLabel>())
{
    buildWindow();
    FormCreate();
}

Tsetup::~Tsetup()
{
    FormClose();
}

void Tsetup::buildWindow()
{
    setObjectName(QStringLiteral("setup"));
    setWindowTitle(QStringLiteral("Tarnik计时器屏保_设置"));
    // A title bar without system menu, minimise, maximise or close box: the dialog ends through
    // its own buttons (or Enter and Esc).
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(kClientWidth, kClientHeight);
    setFont(QFont(SubstituteFontFamily(QStringLiteral("宋体")), 9));

    pgc1 = new QTabWidget(this);
    pgc1->setObjectName(QStringLiteral("pgc1"));
    pgc1->setTabPosition(QTabWidget::West);
    pgc1->setGeometry(15, 15, 304, 192);

    ts_sys = new SystemTab(environment_.today, pgc1);
    ts_sys->setObjectName(QStringLiteral("ts_sys"));
    TabSheet4 = new FontsTab(pgc1);
    TabSheet4->setObjectName(QStringLiteral("TabSheet4"));
    TabSheet1 = new BackgroundTab(environment_.appDirectory, environment_.showMessage, pgc1);
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet3 = new ScrollTab(pgc1);
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    ts_about = new AboutTab(pgc1);
    ts_about->setObjectName(QStringLiteral("ts_about"));
    pgc1->addTab(ts_sys, QStringLiteral("系统设置"));
    pgc1->addTab(TabSheet4, QStringLiteral("字体位置"));
    pgc1->addTab(TabSheet1, QStringLiteral("背景"));
    pgc1->addTab(TabSheet3, QStringLiteral("滚动字幕"));
    pgc1->addTab(ts_about, QStringLiteral("关于"));

    btn_save = new QPushButton(QStringLiteral("确定"), this);
    btn_save->setObjectName(QStringLiteral("btn_save"));
    btn_save->setGeometry(76, 221, 70, 24);
    btn_save->setDefault(true);
    btn_quit = new QPushButton(QStringLiteral("取消"), this);
    btn_quit->setObjectName(QStringLiteral("btn_quit"));
    btn_quit->setGeometry(186, 221, 70, 24);

    connect(btn_save, &QPushButton::clicked, this, &Tsetup::btn_saveClick);
    connect(btn_quit, &QPushButton::clicked, this, &Tsetup::btn_quitClick);
    connect(TabSheet4->titleFontButton(), &QPushButton::clicked, this, &Tsetup::btn_font_titleClick);
    connect(TabSheet4->nFontButton(), &QPushButton::clicked, this, &Tsetup::btn_font_nClick);
    connect(TabSheet4->startEndFontButton(), &QPushButton::clicked, this,
            &Tsetup::btn_font_start_endClick);
    connect(TabSheet4->weekFontButton(), &QPushButton::clicked, this, &Tsetup::btn_font_weekClick);

    ApplySetupStyle(this);
    FitCaptions(this);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void Tsetup::FormCreate()
{
    const DefaultContext context{environment_.screenHeight, environment_.appDirectory};
    const auto text = [&](Setting setting) {
        return ReadStringSetting(file_, setting, SettingReader::Dialog, context);
    };
    const auto integer = [&](Setting setting) {
        return ReadIntegerSetting(file_, setting, SettingReader::Dialog, context);
    };
    const auto flag = [&](Setting setting) {
        return ReadBoolSetting(file_, setting, SettingReader::Dialog, context);
    };

    SystemValues system;
    system.title = text(Setting::Title);
    system.dayPrefix = text(Setting::DH);
    system.startDate = ReadDateSetting(file_, Setting::StartDate, SettingReader::Dialog, context);
    system.addOne = flag(Setting::AddOne);
    system.lunar = flag(Setting::Lunar);
    system.time = flag(Setting::Time);
    system.week = flag(Setting::Week);
    ts_sys->load(system);

    // A texture file that cannot be decoded costs only its picture: the style and every other
    // setting still load, and the user hears which file it was.
    const std::pair<StyledLabel*, const char*> styles[] = {
        {AALabel_n.get(), "N"}, {AALabel_title.get(), "Title"},
        {AALabel_week.get(), "Week"}, {AALabel_se.get(), "StartEnd"}};
    for (const auto& [carrier, section] : styles)
        if (const std::optional<std::string> problem = LoadLabelStyle(file_, *carrier, section))
            environment_.showError(QString::fromStdString(*problem));

    TabSheet4->setLabelTops({integer(Setting::TitleTop), integer(Setting::NTop),
                             integer(Setting::StartEndTop), integer(Setting::LtwTop)});

    BackgroundValues background;
    background.mode = integer(Setting::Mode);
    background.waterDirectory = text(Setting::WaterDirectory);
    background.onMouseClose = flag(Setting::OnMouseClose);
    background.pictureInterval = integer(Setting::WaterRandomInterval);
    background.randomPic = flag(Setting::RandomPic);
    background.bkColor = integer(Setting::BKColor);
    background.randomBk = flag(Setting::RandomBk);
    background.colourInterval = integer(Setting::PureRandomInterval);
    TabSheet1->load(background);

    TabSheet3->load({flag(Setting::Scroll), integer(Setting::RepeatDelay),
                     integer(Setting::ScrollDelay), integer(Setting::Step)});

    TabSheet4->setLogo({integer(Setting::LogoLeft), integer(Setting::LogoTop),
                        integer(Setting::LogoWidth), integer(Setting::LogoHeight)});

    pgc1->setCurrentIndex(0);
}

void Tsetup::FormClose()
{
    if (fileClosed_)
        return;
    fileClosed_ = true;
    file_.Close();
}

void Tsetup::done(int result)
{
    FormClose();
    QDialog::done(result);
}

QString Tsetup::fieldWithoutCodePage936Form() const
{
    const SystemValues system = ts_sys->values();
    const std::pair<std::string, const char*> fields[] = {
        {system.title, "标题"},
        {system.dayPrefix, "天数前缀"},
        {AALabel_title->font().Name, "顶端标题的字体"},
        {AALabel_n->font().Name, "第n天的字体"},
        {AALabel_se->font().Name, "起止日期的字体"},
        {AALabel_week->font().Name, "时间星期的字体"},
        {TabSheet1->values().waterDirectory, "图片目录"}};
    // A line break would end the value's line in the file, so it counts as unsavable too.
    for (const auto& [value, field] : fields)
        if (!IsStorableSettingText(value))
            return QString::fromUtf8(field);
    return QString();
}

void Tsetup::btn_saveClick()
{
    // The settings file keeps code page 936 text; anything else would come back as question
    // marks, so such text is refused before a single key is written.
    const QString field = fieldWithoutCodePage936Form();
    if (!field.isEmpty()) {
        environment_.showMessage(
            QStringLiteral("“%1”中有设置文件无法保存的字符，请修改后再确定。").arg(field));
        return;
    }
    try {
        writeSettings();
    } catch (const std::exception& error) {
        // What was written stays written; the dialog stays open so the user can try again.
        environment_.showError(QString::fromUtf8(error.what()));
        return;
    }
    accept();
}

void Tsetup::writeSettings()
{
    const SystemValues system = ts_sys->values();
    WriteStringSetting(file_, Setting::Title, system.title);
    WriteStringSetting(file_, Setting::DH, system.dayPrefix);
    WriteDateSetting(file_, Setting::StartDate, system.startDate);
    WriteBoolSetting(file_, Setting::AddOne, system.addOne);
    WriteBoolSetting(file_, Setting::Lunar, system.lunar);
    WriteBoolSetting(file_, Setting::Time, system.time);
    WriteBoolSetting(file_, Setting::Week, system.week);

    SaveLabelStyle(file_, *AALabel_title, "Title");
    SaveLabelStyle(file_, *AALabel_n, "N");
    SaveLabelStyle(file_, *AALabel_se, "StartEnd");
    SaveLabelStyle(file_, *AALabel_week, "Week");

    const LabelTops tops = TabSheet4->labelTops();
    const BackgroundValues background = TabSheet1->values();
    WriteIntegerSetting(file_, Setting::TitleTop, tops.title);
    WriteIntegerSetting(file_, Setting::NTop, tops.n);
    WriteIntegerSetting(file_, Setting::StartEndTop, tops.startEnd);
    WriteIntegerSetting(file_, Setting::LtwTop, tops.ltw);
    WriteIntegerSetting(file_, Setting::Mode, background.mode);

    WriteStringSetting(file_, Setting::WaterDirectory, background.waterDirectory);
    WriteBoolSetting(file_, Setting::OnMouseClose, background.onMouseClose);
    WriteBoolSetting(file_, Setting::RandomPic, background.randomPic);
    // An interval the list has no entry for stays as it is stored.
    if (background.pictureInterval)
        WriteIntegerSetting(file_, Setting::WaterRandomInterval, *background.pictureInterval);

    WriteIntegerSetting(file_, Setting::BKColor, background.bkColor);
    WriteBoolSetting(file_, Setting::RandomBk, background.randomBk);
    WriteIntegerSetting(file_, Setting::PureRandomInterval, background.colourInterval);

    const ScrollValues scroll = TabSheet3->values();
    WriteBoolSetting(file_, Setting::Scroll, scroll.scroll);
    WriteIntegerSetting(file_, Setting::RepeatDelay, scroll.repeatDelay);
    WriteIntegerSetting(file_, Setting::ScrollDelay, scroll.scrollDelay);
    WriteIntegerSetting(file_, Setting::Step, scroll.step);

    const LogoBox logo = TabSheet4->logo();
    WriteIntegerSetting(file_, Setting::LogoLeft, logo.left);
    WriteIntegerSetting(file_, Setting::LogoTop, logo.top);
    WriteIntegerSetting(file_, Setting::LogoWidth, logo.width);
    WriteIntegerSetting(file_, Setting::LogoHeight, logo.height);
}

void Tsetup::btn_quitClick()
{
    reject();
}

void Tsetup::btn_font_titleClick()
{
    editStyle(*AALabel_title, QString::fromStdString(ts_sys->values().title));
}

void Tsetup::btn_font_nClick()
{
    editStyle(*AALabel_n, QString::fromStdString(ts_sys->values().dayPrefix) + QStringLiteral(" 100 天"));
}

void Tsetup::btn_font_start_endClick()
{
    const DateTime start = ts_sys->values().startDate;
    const DateTime today = DateOf(environment_.today());
    editStyle(*AALabel_se, DateText(std::min(start, today)) + QStringLiteral(" 至 ") +
                               DateText(std::max(start, today)));
}

void Tsetup::btn_font_weekClick()
{
    const QTime now = QTime::currentTime();
    editStyle(*AALabel_week, LongTimeText(now.hour(), now.minute(), now.second()) +
                                 QStringLiteral(" ") + WeekdayName(environment_.today()));
}

void Tsetup::editStyle(StyledLabel& carrier, const QString& sampleText)
{
    FontEffectDialog dialog(this);
    dialog.setEffect(carrier.effect());
    dialog.setLabelFont(carrier.font());
    dialog.setSampleText(sampleText);
    if (!environment_.runFontDialog(dialog))
        return;
    carrier.setEffect(dialog.effect());
    carrier.setFont(dialog.labelFont());
}
