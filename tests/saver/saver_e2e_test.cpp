// The real saver executable on a real X server without a window manager: real pointer motion and
// real key presses from xdotool end the real process, or leave it running, as the close rules say.

#include "settings/setting_keys.h"
#include "settings/settings_file.h"
#include "support/process.h"
#include "support/temp_dir.h"

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;

std::string Xdotool(const std::string& arguments)
{
    return RunCommand("xdotool " + arguments + " 2>/dev/null");
}

// Where the pointer is now. Tests move it relative to this place: a bare Xvfb without any window
// ignores warps, so the pointer cannot be put at a chosen start before the saver is up.
QPoint PointerNow()
{
    int x = -1;
    int y = -1;
    std::sscanf(Xdotool("getmouselocation").c_str(), "x:%d y:%d", &x, &y);
    return QPoint(x, y);
}

void MovePointer(QPoint to)
{
    Xdotool("mousemove " + std::to_string(to.x()) + " " + std::to_string(to.y()));
}

// The saver executable copied into a folder of its own, which becomes its program folder.
class SaverInstall {
public:
    SaverInstall() : executable_(CopySaverInto(dir_.path()))
    {
        // Colour mode unless a test adds pictures, so nothing depends on the build folder.
        SettingsFile file = settings();
        WriteIntegerSetting(file, Setting::Mode, 1);
    }

    SettingsFile settings() const { return SettingsFile(dir_.file("ScreenSaver.ini")); }

    void addPicture()
    {
        fs::create_directories(dir_.file("pic"));
        QImage image(320, 200, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x % 256, y, 128));
        image.save(QString::fromStdString(dir_.file("pic/a.png")));
        SettingsFile file = settings();
        WriteIntegerSetting(file, Setting::Mode, 0);
    }

    std::unique_ptr<ChildProcess> start() const
    {
        return std::make_unique<ChildProcess>(executable_, std::vector<std::string>{"/s"});
    }

private:
    TempDir dir_;
    std::string executable_;
};

// Waits for the saver's window to be on the screen, then a moment for the hook and the keyboard.
bool WaitForSaverWindow(int timeoutMs = 15000)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < timeoutMs) {
        if (!Xdotool("search --onlyvisible --name 'Tarnik计时器屏保'").empty()) {
            QThread::msleep(700);
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}

bool StillRunningAfter(ChildProcess& process, int ms)
{
    return !process.waitForExit(ms);
}

bool EndsWithin(ChildProcess& process, int ms)
{
    return process.waitForExit(ms) && process.exitCode() == 0;
}

class SaverEndToEnd : public testing::Test {
protected:
    void SetUp() override { pointerStart = PointerNow(); }
    SaverInstall install;
    QPoint pointerStart;
};

// The colour of one pixel of the whole screen, as the X server shows it.
QColor ScreenPixel(int x, int y)
{
    int red = -1;
    int green = -1;
    int blue = -1;
    const std::string text = RunCommand("import -window root -crop 1x1+" + std::to_string(x) + "+" +
                                        std::to_string(y) + " txt:- 2>/dev/null");
    const size_t at = text.find("srgb(");
    if (at != std::string::npos)
        std::sscanf(text.c_str() + at, "srgb(%d,%d,%d)", &red, &green, &blue);
    return red < 0 ? QColor() : QColor(red, green, blue);
}

TEST_F(SaverEndToEnd, CoversTheScreenBorderlessAndOnTop)
{
    const auto saver = install.start();
    ASSERT_TRUE(WaitForSaverWindow());
    const std::string window = Xdotool("search --onlyvisible --name 'Tarnik计时器屏保'");
    const std::string id = window.substr(0, window.find('\n'));
    const std::string info = RunCommand("xwininfo -id " + id);
    for (const char* line : {"Absolute upper-left X:  0\n", "Absolute upper-left Y:  0\n",
                             "Width: 1920\n", "Height: 1080\n"})
        EXPECT_NE(info.find(line), std::string::npos) << line << info;
    EXPECT_NE(RunCommand("xprop -id " + id + " _NET_WM_STATE").find("_NET_WM_STATE_ABOVE"),
              std::string::npos);
    // The default colour of colour mode in every corner: nothing else shows around the saver.
    const QColor skyBlue(166, 202, 240);
    for (const QPoint corner : {QPoint(0, 1079), QPoint(1919, 0), QPoint(1919, 1079)})
        EXPECT_EQ(ScreenPixel(corner.x(), corner.y()), skyBlue) << corner.x() << "," << corner.y();
    Xdotool("key Escape");
    EXPECT_TRUE(EndsWithin(*saver, 5000));
}

TEST_F(SaverEndToEnd, TenPixelsKeepTheSaverElevenEndIt)
{
    ASSERT_GE(pointerStart.x(), 0);
    const auto saver = install.start();
    ASSERT_TRUE(WaitForSaverWindow());
    MovePointer(pointerStart + QPoint(10, 10));
    MovePointer(pointerStart + QPoint(-10, -10));
    EXPECT_TRUE(StillRunningAfter(*saver, 1500));
    MovePointer(pointerStart + QPoint(11, 0));
    EXPECT_TRUE(EndsWithin(*saver, 5000));
}

TEST_F(SaverEndToEnd, KeysEndIt)
{
    for (const char* key : {"a", "Alt_L", "F10"}) {
        SCOPED_TRACE(key);
        const auto saver = install.start();
        ASSERT_TRUE(WaitForSaverWindow());
        Xdotool(std::string("key ") + key);
        EXPECT_TRUE(EndsWithin(*saver, 5000));
    }
}

TEST_F(SaverEndToEnd, MousePlaysWithThePictureWhenItMayNotClose)
{
    install.addPicture();
    {
        SettingsFile file = install.settings();
        WriteBoolSetting(file, Setting::OnMouseClose, false);
    }
    const auto saver = install.start();
    ASSERT_TRUE(WaitForSaverWindow());
    MovePointer(pointerStart + QPoint(300, 200));
    Xdotool("click 1");
    Xdotool("click 3");
    MovePointer(pointerStart + QPoint(-300, 100));
    EXPECT_TRUE(StillRunningAfter(*saver, 1500));
    Xdotool("key space");
    EXPECT_TRUE(EndsWithin(*saver, 5000));
}

TEST_F(SaverEndToEnd, SecondSaverEndsAtOnceWhileTheFirstStays)
{
    const auto first = install.start();
    ASSERT_TRUE(WaitForSaverWindow());
    const auto second = install.start();
    EXPECT_TRUE(EndsWithin(*second, 5000));
    EXPECT_TRUE(StillRunningAfter(*first, 500));
    Xdotool("key Escape");
    EXPECT_TRUE(EndsWithin(*first, 5000));
}

}  // namespace
