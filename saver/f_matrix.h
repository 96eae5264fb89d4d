#pragma once
// The full-screen saver window: the title, the day counter, the date range and the calendar line
// over a rippling picture or a plain colour, scrolling upward in a loop, closed by the first key
// or (unless the mouse is meant to play with the ripples) the first mouse input.

#include "components/styled_label.h"
#include "saver/calendar_line.h"
#include "saver/close_rules.h"
#include "saver/logo_picture.h"
#include "saver/picture_rotation.h"
#include "saver/saver_environment.h"
#include "saver/scroll_motion.h"

#include <QColor>
#include <QElapsedTimer>
#include <QPoint>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class CloseHookFilter;
class SaverSettings;
class WaterImage;

// The four text labels of the window.
enum class SaverLabel { Title, N, StartEnd, ltw };

// The saver window. Everything on it is painted by the window itself in one pass: the water
// picture, the four labels and the logo.
class TfrmScreenSaver final : public QWidget {
    Q_OBJECT
public:
    // Creates the window (FormCreate runs here); it is shown by the caller.
    explicit TfrmScreenSaver(SaverEnvironment environment, QWidget* parent = nullptr);
    ~TfrmScreenSaver() override;

    // Installs the close hook that matches CloseOnMouse; runs once, at the first show.
    void FormShow();

    void UpdateDayCounter();
    void UpdateCalendarLine();
    void tmr_ltwTimer();
    void Timer_scrollTimer();
    void Timer_delayTimer();
    void Tmr_randomTimer();
    // Runs the water by the given milliseconds and repaints what changed.
    void advanceWater(int elapsedMs);

    // Read access for the host, the snapshot and tests.
    const StyledLabel& label(SaverLabel which) const;
    int mode() const { return Mode; }
    bool closeOnMouse() const { return CloseOnMouse; }
    QPoint mouseStart() const { return MouseStart; }
    const ScrollMotion& scrollMotion() const { return *scroll_; }
    const PictureRotationState& pictureRotation() const { return rotation_; }
    const std::string& waterDirectory() const { return WaterDirectory; }
    QColor backgroundColour() const { return Color; }
    bool hasWaterImage() const { return Img != nullptr; }
    const WaterImage* waterImage() const { return Img.get(); }
    const LogoPicture& logo() const { return img_logo; }
    DateTime counterDate() const { return CounterDate; }
    const QTimer& timer(const char* name) const;
    // The installed close hook; null before the window was shown.
    const CloseHookFilter* closeHook() const { return hook_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void FormCreate();
    void setUpBackground(const SaverSettings& settings);
    void setUpPictureMode(const SaverSettings& settings);
    void setUpColourMode(const SaverSettings& settings);
    void setUpScrolling(const SaverSettings& settings, const ScrollBlockTops& placed);
    void setUpLogo(const SaverSettings& settings);
    void replacePictureIfDue();
    bool loadBackgroundPicture(const std::string& path);
    void applyScrollTops();
    void setLabelText(StyledLabel& target, const QString& text);
    StyledLabel& labelFor(SaverLabel which);

    SaverEnvironment env_;

    StyledLabel Title;
    StyledLabel N;
    StyledLabel StartEnd;
    StyledLabel ltw;
    std::unique_ptr<WaterImage> Img;
    LogoPicture img_logo;
    QColor Color;

    QTimer tmr_ltw;
    QTimer Tmr_random;
    QTimer Timer_scroll;
    QTimer Timer_delay;
    QTimer frameTimer_;
    QElapsedTimer frameClock_;

    std::string TitleText;
    std::string DayPrefix;
    bool AddOne = false;
    DateTime StartDate = 0;
    DateTime CounterDate = 0;
    int Mode = 0;
    bool CloseOnMouse = true;
    QPoint MouseStart;
    CalendarLineParts parts_;
    QString LunarText;
    QString WeekdayText;
    std::string WaterDirectory;
    PictureRotationState rotation_;
    std::unique_ptr<ScrollMotion> scroll_;

    CloseHookFilter* hook_ = nullptr;
};
