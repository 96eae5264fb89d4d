#include "saver/f_matrix.h"

#include "components/colours.h"
#include "components/picture.h"
#include "components/water_image.h"
#include "platform/regional_format.h"
#include "settings/label_style_persistence.h"
#include "settings/settings_file.h"
#include "saver/close_hook_filter.h"
#include "saver/day_counter.h"
#include "saver/keyboard_grab.h"
#include "saver/picture_choice.h"
#include "saver/random_colour.h"
#include "saver/random_source.h"
#include "saver/saver_clock.h"
#include "saver/saver_settings.h"
#include "saver/window_timers.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QRegion>
#include <QResizeEvent>

#include <algorithm>

namespace {

const QColor kSilver(192, 192, 192);

// A picture error's message, naming the file when the decoder did not.
std::string NamingTheFile(const std::string& path, const PictureError& error)
{
    const std::string message = error.what();
    return message.find(path) == std::string::npos ? path + ": " + message : message;
}

}  // namespace

TfrmScreenSaver::TfrmScreenSaver(SaverEnvironment environment, QWidget* parent)
    : QWidget(parent), env_(std::move(environment)), Color(kSilver)
{
    if (!env_.report)
        env_.report = ReportToStderr;
    if (!env_.cursorPosition)
        env_.cursorPosition = [] { return QCursor::pos(); };

    setWindowTitle(QStringLiteral("Tarnik计时器屏保"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    // Every pixel is painted by paintEvent, so Qt need not clear anything first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setGeometry(env_.screen);

    tmr_ltw.setInterval(2000);
    Tmr_random.setInterval(10000);
    Timer_scroll.setInterval(10000);
    Timer_delay.setInterval(10000);
    connect(&tmr_ltw, &QTimer::timeout, this, &TfrmScreenSaver::tmr_ltwTimer);
    connect(&Tmr_random, &QTimer::timeout, this, &TfrmScreenSaver::Tmr_randomTimer);
    connect(&Timer_scroll, &QTimer::timeout, this, &TfrmScreenSaver::Timer_scrollTimer);
    connect(&Timer_delay, &QTimer::timeout, this, &TfrmScreenSaver::Timer_delayTimer);
    frameTimer_.setInterval(WaterImage::kStepMs);
    connect(&frameTimer_, &QTimer::timeout, this, [this] {
        advanceWater(static_cast<int>(std::min<qint64>(frameClock_.restart(), 1000)));
    });

    Img = std::make_unique<WaterImage>();
    Img->ClickBlob = 400;
    Img->Damping = 30;
    Img->Radius = 0;
    Img->RandomBlob = 1000;
    Img->RandomDelay = 300;
    Img->TrackBlob = 400;
    Img->setRandomSource([random = env_.random] { return random->next32(); });
    Img->setGeometry(rect());

    // The labels' state before their stored styles are read: shadow on, texture on but for the
    // date range.
    for (StyledLabel* target : {&Title, &N, &StartEnd, &ltw}) {
        TextEffect effect;
        effect.Shadow.Enabled = true;
        effect.Texture.Enabled = target != &StartEnd;
        target->setEffect(effect);
    }

    FormCreate();
    tmr_ltw.start();
}

TfrmScreenSaver::~TfrmScreenSaver() = default;

void TfrmScreenSaver::FormCreate()
{
    const int screenWidth = env_.screen.width();
    const int screenHeight = env_.screen.height();

    // 1-5
    SettingsFile file(env_.appDirectory + "ScreenSaver.ini");
    const SaverSettings settings(file, screenHeight, env_.appDirectory);
    CloseOnMouse = true;
    AddOne = settings.boolean(Setting::AddOne);
    DayPrefix = settings.text(Setting::DH);
    StartDate = DateOf(settings.date(Setting::StartDate));
    // 6
    env_.random->seedFromClock();
    // 7
    parts_.ShowLunar = settings.boolean(Setting::Lunar);
    parts_.ShowTime = settings.boolean(Setting::Time);
    parts_.ShowWeek = settings.boolean(Setting::Week);
    // 8
    TitleText = settings.text(Setting::Title);
    Title.setText(QString::fromStdString(TitleText));
    // 9: the lunar and weekday parts of the day the saver starts on; they never change later.
    const DateTime now = env_.clock->now();
    LunarText = QString::fromStdString(LunarLineText(DateOf(now)));
    WeekdayText = WeekdayName(now);
    // 10-13
    Mode = settings.integer(Setting::Mode);
    UpdateDayCounter();
    CounterDate = env_.clock->today();
    UpdateCalendarLine();
    // 14: a texture that cannot be decoded costs only that texture.
    const std::pair<StyledLabel*, const char*> styles[] = {
        {&Title, "Title"}, {&N, "N"}, {&StartEnd, "StartEnd"}, {&ltw, "Week"}};
    for (const auto& [target, section] : styles) {
        if (const std::optional<std::string> problem = LoadLabelStyle(file, *target, section))
            env_.report(*problem);
    }
    // 15-16: centred once, on the first texts; later texts grow to the right.
    for (StyledLabel* target : {&Title, &N, &ltw, &StartEnd})
        target->setLeft((screenWidth - target->width()) / 2);
    for (StyledLabel* target : {&Title, &N, &ltw, &StartEnd})
        target->setTransparent(true);
    // 17-18
    Title.setTop(settings.integer(Setting::TitleTop));
    N.setTop(settings.integer(Setting::NTop));
    StartEnd.setTop(settings.integer(Setting::StartEndTop));
    ltw.setTop(settings.integer(Setting::LtwTop));
    const ScrollBlockTops placed{Title.top(), N.top(), StartEnd.top(), ltw.top()};
    // 19-20
    setUpBackground(settings);
    // 21
    setUpScrolling(settings, placed);
    // 22-23
    setUpLogo(settings);
    // 24-25
    setCursor(Qt::BlankCursor);
    MouseStart = env_.cursorPosition();
    // 26: Qt's widgets are double-buffered already; only the file is left to close.
    file.Close();
}

void TfrmScreenSaver::setUpBackground(const SaverSettings& settings)
{
    if (Mode == 0) {
        WaterDirectory = settings.text(Setting::WaterDirectory);
        if (!FolderExists(WaterDirectory))
            Mode = 1;
    }
    if (Mode == 0)
        setUpPictureMode(settings);
    else if (Mode == 1)
        setUpColourMode(settings);
}

void TfrmScreenSaver::setUpPictureMode(const SaverSettings& settings)
{
    const std::string path = PickRandomPicture(WaterDirectory, *env_.random);
    if (FileExists(path) && loadBackgroundPicture(path))
        CloseOnMouse = settings.boolean(Setting::OnMouseClose);
    rotation_.PictureRotation = settings.boolean(Setting::RandomPic);
    if (rotation_.PictureRotation)
        rotation_.PictureInterval = settings.integer(Setting::WaterRandomInterval);
    rotation_.LastPictureChange = env_.clock->now();
}

void TfrmScreenSaver::setUpColourMode(const SaverSettings& settings)
{
    // The labels lie straight on the window's colour from now on.
    Img.reset();
    Color = ColorFromWindows(settings.integer(Setting::BKColor));
    const bool randomColour = settings.boolean(Setting::RandomBk);
    ArmTimer(Tmr_random, randomColour, settings.integer(Setting::PureRandomInterval) * 1000LL);
}

void TfrmScreenSaver::setUpScrolling(const SaverSettings& settings, const ScrollBlockTops& placed)
{
    const bool scrolling = settings.boolean(Setting::Scroll);
    ArmTimer(Timer_scroll, scrolling, settings.integer(Setting::ScrollDelay));
    ArmTimer(Timer_delay, false, settings.integer(Setting::RepeatDelay) * 1000LL);
    const int step = settings.integer(Setting::Step);
    scroll_ = std::make_unique<ScrollMotion>(
        CaptureScrollLayout(placed, step, env_.screen.height()), placed, scrolling);
}

void TfrmScreenSaver::setUpLogo(const SaverSettings& settings)
{
    const std::string path = env_.appDirectory + "logo.png";
    if (FileExists(path)) {
        if (const std::optional<std::string> problem = img_logo.load(path))
            env_.report(*problem);
    }
    const int width = settings.integer(Setting::LogoWidth);
    const int height = settings.integer(Setting::LogoHeight);
    const int left = settings.integer(Setting::LogoLeft);
    const int top = settings.integer(Setting::LogoTop);
    img_logo.setBounds(QRect(left, top, width, height));
}

bool TfrmScreenSaver::loadBackgroundPicture(const std::string& path)
{
    if (!Img)
        return false;
    try {
        const Picture picture = LoadPicture(path, size());
        Img->setPicture(picture.image);
    } catch (const PictureError& error) {
        env_.report(NamingTheFile(path, error));
        return false;
    }
    if (!frameTimer_.isActive()) {
        frameClock_.start();
        frameTimer_.start();
    }
    return true;
}

void TfrmScreenSaver::UpdateDayCounter()
{
    const DateTime now = env_.clock->now();
    setLabelText(N, QString::fromStdString(DayCounterText(DayPrefix, DayCount(StartDate, now, AddOne))));
    setLabelText(StartEnd, QString::fromStdString(DateRangeText(StartDate, now)));
}

void TfrmScreenSaver::UpdateCalendarLine()
{
    const DateTime now = env_.clock->now();
    const DateTime today = DateOf(now);
    if (today != CounterDate) {
        CounterDate = today;
        UpdateDayCounter();
    }
    const ClockTime time = TimeOfDay(now);
    setLabelText(ltw, ComposeCalendarLine(parts_, LunarText,
                                          LongTimeText(time.hour, time.minute, time.second),
                                          WeekdayText));
}

void TfrmScreenSaver::tmr_ltwTimer()
{
    UpdateCalendarLine();
    replacePictureIfDue();
}

void TfrmScreenSaver::replacePictureIfDue()
{
    if (!PictureReplacementDue(rotation_, env_.clock->now()))
        return;
    rotation_.PictureRotation = false;
    if (Img)
        Img->ResetRipples();
    const std::string path = PickRandomPicture(WaterDirectory, *env_.random);
    if (FileExists(path))
        loadBackgroundPicture(path);
    if (Img && Img->geometry() != rect())
        Img->setGeometry(rect());
    update();
    rotation_.LastPictureChange = env_.clock->now();
    rotation_.PictureRotation = true;
}

void TfrmScreenSaver::Timer_scrollTimer()
{
    if (scroll_->phase() != ScrollPhase::Moving)
        return;
    scroll_->Timer_scrollTimer(ltw.height());
    applyScrollTops();
    if (scroll_->phase() == ScrollPhase::Pausing) {
        Timer_scroll.stop();
        StartIfItFires(Timer_delay);
    }
}

void TfrmScreenSaver::Timer_delayTimer()
{
    Timer_delay.stop();
    if (scroll_->phase() != ScrollPhase::Pausing)
        return;
    scroll_->Timer_delayTimer();
    if (scroll_->phase() == ScrollPhase::Moving)
        StartIfItFires(Timer_scroll);
}

void TfrmScreenSaver::Tmr_randomTimer()
{
    RandomSource& random = *env_.random;
    const double r1 = random.uniform();
    const double r2 = random.uniform();
    const double r3 = random.uniform();
    const RgbColour colour = RandomStrongColour(r1, r2, r3);
    Color = QColor(colour.red, colour.green, colour.blue);
    update();
}

void TfrmScreenSaver::advanceWater(int elapsedMs)
{
    if (!Img || !Img->hasPicture())
        return;
    const QRect changed = Img->advance(elapsedMs);
    if (!changed.isEmpty())
        update(changed);
}

void TfrmScreenSaver::applyScrollTops()
{
    const ScrollBlockTops& tops = scroll_->tops();
    QRegion dirty;
    const std::pair<StyledLabel*, int> moves[] = {
        {&Title, tops.title}, {&N, tops.n}, {&StartEnd, tops.startEnd}, {&ltw, tops.ltw}};
    for (const auto& [target, top] : moves) {
        if (target->top() == top)
            continue;
        dirty += target->geometry();
        target->setTop(top);
        dirty += target->geometry();
    }
    if (!dirty.isEmpty())
        update(dirty);
}

void TfrmScreenSaver::setLabelText(StyledLabel& target, const QString& text)
{
    if (target.text() == text)
        return;
    const QRect before = target.geometry();
    target.setText(text);
    update(QRegion(before) + target.geometry());
}

const StyledLabel& TfrmScreenSaver::label(SaverLabel which) const
{
    return const_cast<TfrmScreenSaver*>(this)->labelFor(which);
}

StyledLabel& TfrmScreenSaver::labelFor(SaverLabel which)
{
    switch (which) {
    case SaverLabel::Title:
        return Title;
    case SaverLabel::N:
        return N;
    case SaverLabel::StartEnd:
        return StartEnd;
    case SaverLabel::ltw:
        break;
    }
    return ltw;
}

const QTimer& TfrmScreenSaver::timer(const char* name) const
{
    const std::string wanted(name);
    if (wanted == "tmr_ltw")
        return tmr_ltw;
    if (wanted == "Tmr_random")
        return Tmr_random;
    if (wanted == "Timer_scroll")
        return Timer_scroll;
    if (wanted == "Timer_delay")
        return Timer_delay;
    return frameTimer_;
}

void TfrmScreenSaver::FormShow()
{
    if (hook_)
        return;
    hook_ = new CloseHookFilter(CloseOnMouse ? CloseHook::InputCloseHook : CloseHook::KeyCloseHook,
                                MouseStart, [this] { close(); }, this);
    qApp->installEventFilter(hook_);
}

void TfrmScreenSaver::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FormShow();
    // Without a window manager nobody gives the saver the focus.
    GrabKeyboardWhenMapped(*this);
}

void TfrmScreenSaver::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The water picture covers the whole client area, whatever size the window system settles on.
    if (Img)
        Img->setGeometry(rect());
}

void TfrmScreenSaver::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRegion& region = event->region();
    for (const QRect& area : region)
        painter.fillRect(area, Color);
    if (Img && Img->hasPicture()) {
        for (const QRect& area : region)
            Img->paint(painter, area);
    }
    for (const StyledLabel* target : {&Title, &N, &StartEnd, &ltw}) {
        if (region.intersects(target->geometry()))
            target->paint(painter);
    }
    if (region.intersects(img_logo.paintedArea()))
        img_logo.paint(painter);
}

void TfrmScreenSaver::mouseMoveEvent(QMouseEvent* event)
{
    if (Img)
        Img->mouseMoved(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

void TfrmScreenSaver::mousePressEvent(QMouseEvent* event)
{
    if (Img && event->button() == Qt::LeftButton)
        Img->leftPressed(event->position().toPoint());
    QWidget::mousePressEvent(event);
}
