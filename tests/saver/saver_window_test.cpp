#include "saver_window_fixture.h"

#include "components/water_image.h"
#include "platform/regional_format.h"
#include "saver/close_hook_filter.h"
#include "saver/day_counter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

const QColor kSilver(192, 192, 192);
const QColor kSkyBlue(166, 202, 240);  // BKColor 15780518

QString Text(SaverLabel which, const TfrmScreenSaver& window)
{
    return window.label(which).text();
}

TEST_F(SaverWindowTest, WithoutAnySettingsFileEveryDefaultShows)
{
    const auto window = create();
    const TfrmScreenSaver& w = *window;

    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tarnik计时器屏保"));
    EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w.geometry(), QRect(0, 0, 1920, 1080));

    EXPECT_EQ(Text(SaverLabel::Title, w), QStringLiteral("Tarnik工作室成立至今"));
    EXPECT_EQ(Text(SaverLabel::N, w), QStringLiteral("第 7040 天"));  // since 2004-10-02
    EXPECT_EQ(Text(SaverLabel::StartEnd, w), QStringLiteral("2004年10月2日 至 2024年1月11日"));
    EXPECT_EQ(Text(SaverLabel::ltw, w),
              QStringLiteral("癸卯(兔)年 十二月初一  ") + LongTimeText(9, 30, 0) +
                  QStringLiteral("  ") + WeekdayName(EncodeDate(2024, 1, 11)));

    // Default style; shadow on all four, texture on all but the date range.
    for (const SaverLabel which : {SaverLabel::Title, SaverLabel::N, SaverLabel::StartEnd,
                                   SaverLabel::ltw}) {
        const StyledLabel& label = w.label(which);
        SCOPED_TRACE(label.text().toStdString());
        EXPECT_EQ(label.font().Name, "宋体");
        EXPECT_EQ(label.font().Size, 48);
        EXPECT_EQ(label.font().Color, 0);
        EXPECT_TRUE(label.effect().Shadow.Enabled);
        EXPECT_EQ(label.effect().Texture.Enabled, which != SaverLabel::StartEnd);
        EXPECT_TRUE(label.transparent());
        EXPECT_EQ(label.left(), (1920 - label.width()) / 2);
    }
    EXPECT_EQ(w.label(SaverLabel::Title).top(), 162);
    EXPECT_EQ(w.label(SaverLabel::N).top(), 432);
    EXPECT_EQ(w.label(SaverLabel::StartEnd).top(), 734);
    EXPECT_EQ(w.label(SaverLabel::ltw).top(), 864);
    const ScrollLayout& layout = w.scrollMotion().layout();
    EXPECT_EQ(layout.TitleHomeTop, 162);
    EXPECT_EQ(layout.NOffset, 162 - 432);
    EXPECT_EQ(layout.StartEndOffset, 162 - 734);
    EXPECT_EQ(layout.LtwOffset, 162 - 864);
    EXPECT_EQ(layout.ScrollStep, 1);

    // No picture folder: colour mode with the default sky blue, and the mouse closes the saver.
    EXPECT_EQ(w.mode(), 1);
    EXPECT_FALSE(w.hasWaterImage());
    EXPECT_EQ(w.backgroundColour(), kSkyBlue);
    EXPECT_TRUE(w.closeOnMouse());
    EXPECT_FALSE(w.timer("Tmr_random").isActive());
    EXPECT_EQ(w.timer("Tmr_random").interval(), 10000);

    // Scrolling on, 60 ms a step, 5 s pauses; the calendar line every 2 s.
    EXPECT_EQ(w.scrollMotion().phase(), ScrollPhase::Moving);
    EXPECT_TRUE(w.timer("Timer_scroll").isActive());
    EXPECT_EQ(w.timer("Timer_scroll").interval(), 60);
    EXPECT_FALSE(w.timer("Timer_delay").isActive());
    EXPECT_EQ(w.timer("Timer_delay").interval(), 5000);
    EXPECT_TRUE(w.timer("tmr_ltw").isActive());
    EXPECT_EQ(w.timer("tmr_ltw").interval(), 2000);

    // No logo, yet its bounds are set; the cursor is hidden and its place noted.
    EXPECT_FALSE(w.logo().hasPicture());
    EXPECT_EQ(w.logo().bounds(), QRect(30, 30, 30, 30));
    EXPECT_EQ(w.cursor().shape(), Qt::BlankCursor);
    EXPECT_EQ(w.mouseStart(), QPoint(960, 540));
    EXPECT_TRUE(reports.empty());
}

TEST_F(SaverWindowTest, PictureModeTakesAPictureAndReadsTheMouseSetting)
{
    addPicture("only.png", Qt::red);
    setBool(Setting::OnMouseClose, false);
    const auto window = create();
    EXPECT_EQ(window->mode(), 0);
    ASSERT_TRUE(window->hasWaterImage());
    EXPECT_TRUE(window->waterImage()->hasPicture());
    EXPECT_FALSE(window->closeOnMouse());
    EXPECT_EQ(window->waterDirectory(), appDirectory() + "pic");
    EXPECT_FALSE(window->pictureRotation().PictureRotation);
    EXPECT_TRUE(window->timer("frame").isActive());
    // The picture is stretched over the whole window.
    const QImage shot = window->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(5, 1075)), QColor(Qt::red));
    EXPECT_EQ(QColor(shot.pixel(1915, 5)), QColor(Qt::red));

    // Whatever size the window system gives the shown window, the picture fills all of it.
    window->show();
    window->resize(2000, 1200);
    EXPECT_EQ(window->waterImage()->geometry(), QRect(0, 0, 2000, 1200));
    const QImage resized = window->grab().toImage();
    EXPECT_EQ(QColor(resized.pixel(1995, 1195)), QColor(Qt::red));
    window->close();
}

TEST_F(SaverWindowTest, OtherBackgroundsKeepTheMouseClosingTheSaver)
{
    struct Case {
        const char* name;
        int mode;
        bool folder;
        bool picture;
        int expectedMode;
        bool waterImage;
        QColor colour;
    };
    const Case cases[] = {
        {"empty picture folder", 0, true, false, 0, true, kSilver},
        {"colour mode ignores the folder", 1, true, true, 1, false, kSkyBlue},
        {"mode 2 shows silver", 2, true, true, 2, true, kSilver},
        {"mode -1 shows silver", -1, false, false, -1, true, kSilver},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(dir.path());
        std::filesystem::create_directories(dir.path());
        if (c.folder)
            std::filesystem::create_directories(dir.file("pic"));
        if (c.picture)
            addPicture("a.png", Qt::red);
        setInteger(Setting::Mode, c.mode);
        setBool(Setting::OnMouseClose, false);
        setBool(Setting::RandomBk, true);
        const auto window = create();
        EXPECT_EQ(window->mode(), c.expectedMode);
        EXPECT_EQ(window->hasWaterImage(), c.waterImage);
        EXPECT_EQ(window->backgroundColour(), c.colour);
        EXPECT_TRUE(window->closeOnMouse());
        EXPECT_EQ(window->timer("Tmr_random").isActive(), c.expectedMode == 1);
        if (window->hasWaterImage()) {
            EXPECT_FALSE(window->waterImage()->hasPicture());
        }
        const QImage shot = window->grab().toImage();
        EXPECT_EQ(QColor(shot.pixel(1900, 1070)), c.colour);
    }
}

TEST_F(SaverWindowTest, StoredLayoutIsUsedUnchanged)
{
    setInteger(Setting::TitleTop, -50);
    setInteger(Setting::NTop, 5000);
    setInteger(Setting::StartEndTop, 300);
    setInteger(Setting::LtwTop, 200);
    setString(Setting::Title, std::string(80, 'W'));  // wider than a 640-pixel screen
    setInteger(Setting::LogoLeft, 7);
    setInteger(Setting::LogoTop, 9);
    setInteger(Setting::LogoWidth, 11);
    setInteger(Setting::LogoHeight, 13);
    const auto window = create(QSize(640, 480));
    const StyledLabel& title = window->label(SaverLabel::Title);
    EXPECT_GT(title.width(), 640);
    EXPECT_EQ(title.left(), (640 - title.width()) / 2);
    EXPECT_LT(title.left(), 0);
    EXPECT_EQ(title.top(), -50);
    EXPECT_EQ(window->label(SaverLabel::N).top(), 5000);
    EXPECT_EQ(window->label(SaverLabel::StartEnd).top(), 300);
    EXPECT_EQ(window->label(SaverLabel::ltw).top(), 200);
    EXPECT_EQ(window->scrollMotion().layout().NOffset, -5050);
    EXPECT_EQ(window->logo().bounds(), QRect(7, 9, 11, 13));
}

TEST_F(SaverWindowTest, PicturesThatCannotBeDecodedAreSkippedAndNamed)
{
    std::filesystem::create_directories(dir.file("pic"));
    WriteFileBytes(dir.file("pic/broken.jpg"), "not a jpeg at all");
    WriteFileBytes(dir.file("logo.png"), "\x89PNG\r\n\x1a\n truncated");
    WriteFileBytes(dir.file("Title.jpg"), "no jpeg either");
    setBool(Setting::OnMouseClose, false);
    const auto window = create();

    ASSERT_EQ(reports.size(), 3u);
    EXPECT_NE(reports[0].find(dir.file("Title.jpg")), std::string::npos) << reports[0];
    EXPECT_NE(reports[1].find(dir.file("pic/broken.jpg")), std::string::npos) << reports[1];
    EXPECT_NE(reports[2].find(dir.file("logo.png")), std::string::npos) << reports[2];
    // Creation went on to its end: no picture, so the mouse still closes; logo empty but placed;
    // cursor hidden.
    EXPECT_FALSE(window->waterImage()->hasPicture());
    EXPECT_TRUE(window->closeOnMouse());
    EXPECT_FALSE(window->logo().hasPicture());
    EXPECT_EQ(window->logo().bounds(), QRect(30, 30, 30, 30));
    EXPECT_EQ(window->cursor().shape(), Qt::BlankCursor);
    EXPECT_TRUE(window->label(SaverLabel::Title).effect().Texture.Picture.isEmpty());
}

TEST_F(SaverWindowTest, LogoIsStretchedToItsBounds)
{
    QImage logo(4, 4, QImage::Format_ARGB32);
    logo.fill(QColor(0, 128, 0));
    ASSERT_TRUE(logo.save(QString::fromStdString(dir.file("logo.png"))));
    setInteger(Setting::LogoLeft, 100);
    setInteger(Setting::LogoTop, 20);
    setInteger(Setting::LogoWidth, 50);
    setInteger(Setting::LogoHeight, 10);
    setBool(Setting::Scroll, false);
    const auto window = create();
    const QImage shot = window->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(100, 20)), QColor(0, 128, 0));
    EXPECT_EQ(QColor(shot.pixel(149, 29)), QColor(0, 128, 0));
    EXPECT_EQ(QColor(shot.pixel(150, 29)), kSkyBlue);
    EXPECT_EQ(QColor(shot.pixel(149, 30)), kSkyBlue);
}

TEST_F(SaverWindowTest, CalendarLineAndCounterAcrossMidnightAndAClockSetBack)
{
    setDate(Setting::StartDate, EncodeDate(2024, 1, 1));
    setBool(Setting::Lunar, true);
    setBool(Setting::Time, true);
    setBool(Setting::Week, false);
    clock->set(EncodeDateTime(2024, 1, 11, 23, 59, 58));
    const auto window = create();
    const QString lunar = QStringLiteral("癸卯(兔)年 十二月初一  ");
    EXPECT_EQ(Text(SaverLabel::ltw, *window), lunar + LongTimeText(23, 59, 58));
    EXPECT_EQ(Text(SaverLabel::N, *window), QStringLiteral("第 10 天"));
    const int nLeft = window->label(SaverLabel::N).left();

    clock->set(EncodeDateTime(2024, 1, 12, 0, 0, 0));
    window->tmr_ltwTimer();
    EXPECT_EQ(Text(SaverLabel::N, *window), QStringLiteral("第 11 天"));
    EXPECT_EQ(Text(SaverLabel::StartEnd, *window), QStringLiteral("2024年1月1日 至 2024年1月12日"));
    // The lunar part stays that of the first day; the time moves on; nothing is re-centred.
    EXPECT_EQ(Text(SaverLabel::ltw, *window), lunar + LongTimeText(0, 0, 0));
    EXPECT_EQ(window->label(SaverLabel::N).left(), nLeft);
    EXPECT_EQ(window->counterDate(), EncodeDate(2024, 1, 12));

    // The clock set back to an earlier date counts as a change of date too.
    clock->set(EncodeDateTime(2024, 1, 5, 12, 0, 0));
    window->tmr_ltwTimer();
    EXPECT_EQ(Text(SaverLabel::N, *window), QStringLiteral("第 4 天"));
    EXPECT_EQ(Text(SaverLabel::StartEnd, *window), QStringLiteral("2024年1月1日 至 2024年1月5日"));
    EXPECT_EQ(window->counterDate(), EncodeDate(2024, 1, 5));

    // The day counter grows to the right, never re-centred: a three-digit count keeps its left.
    clock->set(EncodeDateTime(2024, 6, 1, 12, 0, 0));
    const int narrow = window->label(SaverLabel::N).width();
    window->tmr_ltwTimer();
    EXPECT_EQ(Text(SaverLabel::N, *window), QStringLiteral("第 152 天"));
    EXPECT_GT(window->label(SaverLabel::N).width(), narrow);
    EXPECT_EQ(window->label(SaverLabel::N).left(), nLeft);
}

TEST_F(SaverWindowTest, PictureReplacementFollowsTheInjectedClock)
{
    addPicture("a.png", Qt::red);
    addPicture("b.png", Qt::blue);
    setBool(Setting::RandomPic, true);
    setInteger(Setting::WaterRandomInterval, 10);
    // Draws: the first picture at creation, then the second.
    random = std::make_shared<ScriptedRandom>(std::vector<uint32_t>{0, 1});
    const auto window = create();
    const DateTime start = clock->now();
    ASSERT_TRUE(window->waterImage()->hasPicture());
    EXPECT_EQ(QColor(window->grab().toImage().pixel(10, 10)), QColor(Qt::red));
    EXPECT_TRUE(window->pictureRotation().PictureRotation);
    EXPECT_EQ(window->pictureRotation().PictureInterval, 10);
    EXPECT_EQ(window->pictureRotation().LastPictureChange, start);

    clock->advanceSeconds(9.9);
    window->tmr_ltwTimer();
    EXPECT_EQ(window->pictureRotation().LastPictureChange, start);
    EXPECT_EQ(QColor(window->grab().toImage().pixel(10, 10)), QColor(Qt::red));

    clock->advanceSeconds(0.1);
    window->tmr_ltwTimer();
    EXPECT_EQ(window->pictureRotation().LastPictureChange, clock->now());
    EXPECT_TRUE(window->pictureRotation().PictureRotation);
    EXPECT_EQ(QColor(window->grab().toImage().pixel(10, 10)), QColor(Qt::blue));

    // Pictures gone: the replacement keeps the current picture and starts a new interval.
    std::filesystem::remove(dir.file("pic/a.png"));
    std::filesystem::remove(dir.file("pic/b.png"));
    clock->advanceSeconds(12);
    window->tmr_ltwTimer();
    EXPECT_EQ(window->pictureRotation().LastPictureChange, clock->now());
    EXPECT_EQ(QColor(window->grab().toImage().pixel(10, 10)), QColor(Qt::blue));

    // The clock set back by more than the interval replaces at the next tick.
    addPicture("c.png", Qt::green);
    clock->advanceSeconds(-3600);
    window->tmr_ltwTimer();
    EXPECT_EQ(QColor(window->grab().toImage().pixel(10, 10)), QColor(Qt::green));
}

TEST_F(SaverWindowTest, RotationStartsFromSilverWhenTheFolderWasEmpty)
{
    std::filesystem::create_directories(dir.file("pic"));
    setBool(Setting::RandomPic, true);
    setInteger(Setting::WaterRandomInterval, 0);
    const auto window = create();
    EXPECT_FALSE(window->waterImage()->hasPicture());
    EXPECT_TRUE(window->closeOnMouse());
    addPicture("late.png", Qt::yellow);
    clock->advanceSeconds(2);
    window->tmr_ltwTimer();
    EXPECT_TRUE(window->waterImage()->hasPicture());
    EXPECT_EQ(QColor(window->grab().toImage().pixel(10, 10)), QColor(Qt::yellow));
    // The mouse setting was settled at creation.
    EXPECT_TRUE(window->closeOnMouse());
}

TEST_F(SaverWindowTest, RandomColourTimer)
{
    setInteger(Setting::Mode, 1);
    setBool(Setting::RandomBk, true);
    setInteger(Setting::PureRandomInterval, 3);
    const auto window = create();
    EXPECT_TRUE(window->timer("Tmr_random").isActive());
    EXPECT_EQ(window->timer("Tmr_random").interval(), 3000);
    EXPECT_EQ(window->backgroundColour(), kSkyBlue);  // until the first tick
    window->Tmr_randomTimer();
    EXPECT_EQ(window->backgroundColour(), QColor(134, 19, 19));
    EXPECT_EQ(QColor(window->grab().toImage().pixel(1900, 1070)), QColor(134, 19, 19));

    // An interval of 0 never fires (a zero timer would fire on every pass of the event loop).
    setInteger(Setting::PureRandomInterval, 0);
    EXPECT_FALSE(create()->timer("Tmr_random").isActive());
}

TEST_F(SaverWindowTest, ScrollTimersTakeTurns)
{
    setInteger(Setting::Mode, 1);
    setInteger(Setting::Step, 2);
    setInteger(Setting::RepeatDelay, 3);
    setInteger(Setting::ScrollDelay, 25);
    const auto window = create();
    const QTimer& scroll = window->timer("Timer_scroll");
    const QTimer& delay = window->timer("Timer_delay");
    EXPECT_TRUE(scroll.isActive());
    EXPECT_EQ(scroll.interval(), 25);
    EXPECT_EQ(delay.interval(), 3000);

    window->Timer_scrollTimer();
    EXPECT_FALSE(scroll.isActive());
    EXPECT_TRUE(delay.isActive());
    EXPECT_EQ(window->label(SaverLabel::Title).top(), 160);
    EXPECT_EQ(window->label(SaverLabel::ltw).top(), 862);
    window->Timer_delayTimer();
    EXPECT_TRUE(scroll.isActive());
    EXPECT_FALSE(delay.isActive());
    window->Timer_scrollTimer();
    EXPECT_EQ(window->label(SaverLabel::Title).top(), 158);
    EXPECT_EQ(window->label(SaverLabel::N).top(), 428);
}

TEST_F(SaverWindowTest, SilentScrollTimers)
{
    setInteger(Setting::Mode, 1);
    setInteger(Setting::ScrollDelay, 0);
    EXPECT_FALSE(create()->timer("Timer_scroll").isActive());

    // A pause of 0 never ends: the block moves once and stays.
    setInteger(Setting::ScrollDelay, 60);
    setInteger(Setting::RepeatDelay, 0);
    const auto window = create();
    window->Timer_scrollTimer();
    EXPECT_FALSE(window->timer("Timer_scroll").isActive());
    EXPECT_FALSE(window->timer("Timer_delay").isActive());
    EXPECT_EQ(window->label(SaverLabel::Title).top(), 161);

    setBool(Setting::Scroll, false);
    const auto still = create();
    EXPECT_EQ(still->scrollMotion().phase(), ScrollPhase::Still);
    EXPECT_FALSE(still->timer("Timer_scroll").isActive());
}

// The window shown offscreen with its hook installed; events go through the application as the
// real ones do.
TEST_F(SaverWindowTest, ShownWindowClosesOnTheRulesOfItsHook)
{
    addPicture("a.png", Qt::red);
    struct Case {
        const char* name;
        bool mouseCloses;
        QEvent::Type type;
        QPoint offset;
        Qt::MouseButton button;
        int key;
        bool closes;
    };
    const Case cases[] = {
        {"key, input hook", true, QEvent::KeyPress, {}, Qt::NoButton, Qt::Key_F10, true},
        {"key, key hook", false, QEvent::KeyPress, {}, Qt::NoButton, Qt::Key_Alt, true},
        {"10 px, input hook", true, QEvent::MouseMove, {10, -10}, Qt::NoButton, 0, false},
        {"11 px, input hook", true, QEvent::MouseMove, {0, 11}, Qt::NoButton, 0, true},
        {"11 px, key hook", false, QEvent::MouseMove, {300, 300}, Qt::NoButton, 0, false},
        {"press, input hook", true, QEvent::MouseButtonPress, {}, Qt::RightButton, 0, true},
        {"press, key hook", false, QEvent::MouseButtonPress, {}, Qt::LeftButton, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setBool(Setting::OnMouseClose, c.mouseCloses);
        const auto window = create();
        window->show();
        ASSERT_NE(window->closeHook(), nullptr);
        EXPECT_EQ(window->closeHook()->hook(),
                  c.mouseCloses ? CloseHook::InputCloseHook : CloseHook::KeyCloseHook);
        if (c.type == QEvent::KeyPress) {
            QKeyEvent event(c.type, c.key, Qt::NoModifier);
            QApplication::sendEvent(window.get(), &event);
        } else {
            const QPoint at = cursor + c.offset;
            QMouseEvent event(c.type, QPointF(at), QPointF(at), c.button, c.button, Qt::NoModifier);
            QApplication::sendEvent(window.get(), &event);
        }
        EXPECT_EQ(window->isVisible(), !c.closes);
        window->close();
    }
}

}  // namespace
