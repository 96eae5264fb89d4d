// The preview drawn by the real executable into a real X window, read back pixel by pixel.

#include "support/process.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <string>
#include <thread>

namespace {

constexpr unsigned long kGrey = 0x808080;

// A mapped 320 × 240 window filled with grey, standing in for the display dialog's preview area.
class PreviewWindow {
public:
    PreviewWindow()
    {
        display_ = XOpenDisplay(nullptr);
        if (!display_)
            return;
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 320, 240, 0, 0,
                                      kGrey);
        XSelectInput(display_, window_, StructureNotifyMask);
        XSync(display_, False);  // the window must exist on the server before the preview looks
    }
    ~PreviewWindow()
    {
        if (display_) {
            XDestroyWindow(display_, window_);
            XCloseDisplay(display_);
        }
    }
    bool ok() const { return display_ != nullptr; }
    unsigned long id() const { return window_; }

    void map()
    {
        XMapWindow(display_, window_);
        XEvent event;
        do
            XNextEvent(display_, &event);
        while (event.type != MapNotify);
        XSync(display_, False);
    }

    // The window's pixels as 0xRRGGBB.
    unsigned long pixel(int x, int y)
    {
        XImage* image = XGetImage(display_, window_, x, y, 1, 1, AllPlanes, ZPixmap);
        const unsigned long value = XGetPixel(image, 0, 0) & 0xffffff;
        XDestroyImage(image);
        return value;
    }

    // How many pixels of the rectangle are black, and how many are white or light.
    std::pair<int, int> blackAndLight(int left, int top, int width, int height)
    {
        XImage* image = XGetImage(display_, window_, left, top, static_cast<unsigned>(width),
                                  static_cast<unsigned>(height), AllPlanes, ZPixmap);
        int black = 0;
        int light = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned long p = XGetPixel(image, x, y) & 0xffffff;
                if (p == 0)
                    ++black;
                else if (((p >> 16) & 0xff) > 0xc0 && ((p >> 8) & 0xff) > 0xc0 && (p & 0xff) > 0xc0)
                    ++light;
            }
        XDestroyImage(image);
        return {black, light};
    }

private:
    Display* display_ = nullptr;
    Window window_ = 0;
};

void ExpectPreviewDrawn(PreviewWindow& window)
{
    // Each line: a black box starting exactly at its place, with light text inside.
    const int places[4][2] = {{12, 15}, {25, 40}, {28, 60}, {25, 80}};
    for (const auto& place : places) {
        EXPECT_EQ(window.pixel(place[0], place[1]), 0UL) << "box corner at " << place[0] << "," << place[1];
        EXPECT_EQ(window.pixel(place[0] - 1, place[1]), kGrey) << "left of " << place[0] << "," << place[1];
        const auto [black, light] = window.blackAndLight(place[0], place[1], 100, 12);
        EXPECT_GT(black, 300) << "line at " << place[0] << "," << place[1];
        EXPECT_GT(light, 20) << "line at " << place[0] << "," << place[1];
    }
    // Nothing else of the window is painted.
    EXPECT_EQ(window.pixel(5, 5), kGrey);
    EXPECT_EQ(window.pixel(300, 200), kGrey);
    EXPECT_EQ(window.pixel(20, 120), kGrey);
}

TEST(PreviewTest, DrawsFourLinesThatStayAfterTheProcessEnds)
{
    PreviewWindow window;
    ASSERT_TRUE(window.ok());
    window.map();
    ChildProcess preview(SaverExecutable(), {"/p", std::to_string(window.id())});
    ASSERT_TRUE(preview.waitForExit(10000));
    EXPECT_EQ(preview.exitCode(), 0) << preview.standardError();
    ExpectPreviewDrawn(window);
}

TEST(PreviewTest, WaitsForTheWindowToBeShown)
{
    PreviewWindow window;
    ASSERT_TRUE(window.ok());
    ChildProcess preview(SaverExecutable(), {"-P", std::to_string(window.id())});
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    EXPECT_TRUE(preview.running());
    window.map();
    ASSERT_TRUE(preview.waitForExit(10000));
    EXPECT_EQ(preview.exitCode(), 0) << preview.standardError();
    ExpectPreviewDrawn(window);
}

TEST(PreviewTest, AWindowThatDoesNotExistEndsWithAnError)
{
    // The root window's id plus a large offset names no window on a fresh X server.
    ChildProcess preview(SaverExecutable(), {"/p", "123456789"});
    // The error is also shown in a message box; it is closed with a key press.
    EXPECT_TRUE(PressKeyInWindow("Tarnik", "Return"));
    ASSERT_TRUE(preview.waitForExit(10000));
    EXPECT_EQ(preview.exitCode(), 1);
    EXPECT_NE(preview.standardError().find("123456789"), std::string::npos) << preview.standardError();
}

TEST(PreviewTest, AMissingOrNonNumericHandleIsAConversionError)
{
    for (const auto& arguments : std::vector<std::vector<std::string>>{{"/p:1234"}, {"/p", "12ab"}}) {
        ChildProcess preview(SaverExecutable(), arguments);
        EXPECT_TRUE(PressKeyInWindow("Tarnik", "Return"));
        ASSERT_TRUE(preview.waitForExit(10000));
        EXPECT_EQ(preview.exitCode(), 1);
        const std::string expected =
            arguments.size() == 1 ? "'' is not a valid integer value" : "'12AB' is not a valid integer value";
        EXPECT_NE(preview.standardError().find(expected), std::string::npos) << preview.standardError();
    }
}

}  // namespace
