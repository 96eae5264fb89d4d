#include "host/preview.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <array>
#include <bit>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

struct PreviewLine {
    int x;
    int y;
    const char* text;
};

// Where each line stands in the preview window, left and top in pixels.
constexpr std::array<PreviewLine, 4> kLines = {{
    {12, 15, "Tarnik计时器屏保 Ver 1.3"},
    {25, 40, "作者：Tarnik工作室"},
    {28, 60, "天数计时 · 农历 · 水波"},
    {25, 80, "在“设置”中修改标题与日期"},
}};

// Xlib reports a bad window id through an error handler, not a return value; the preview only
// needs to know that one happened.
bool gXError = false;

int RecordXError(Display*, XErrorEvent*)
{
    gXError = true;
    return 0;
}

// A line of white text on a black box exactly the size of the text.
QImage RenderLine(const QString& text)
{
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(12);
    const QFontMetrics metrics(font);
    QImage image(std::max(1, metrics.horizontalAdvance(text)), metrics.height(),
                 QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(0, metrics.ascent(), text);
    return image;
}

// One channel of a TrueColor pixel: the 8-bit value scaled into the visual's mask.
unsigned long Channel(int value, unsigned long mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const unsigned long scaled = bits >= 8 ? static_cast<unsigned long>(value) << (bits - 8)
                                           : static_cast<unsigned long>(value) >> (8 - bits);
    return (scaled << shift) & mask;
}

// Copies the image into the window at (x, y), in whatever pixel layout the window's visual has.
void PutImage(Display* display, Window window, const XWindowAttributes& attributes, const QImage& image,
              int x, int y)
{
    Visual* visual = attributes.visual;
    XImage* ximage = XCreateImage(display, visual, static_cast<unsigned>(attributes.depth), ZPixmap, 0,
                                  nullptr, static_cast<unsigned>(image.width()),
                                  static_cast<unsigned>(image.height()), 32, 0);
    if (!ximage)
        return;
    ximage->data = static_cast<char*>(std::malloc(static_cast<size_t>(ximage->bytes_per_line) *
                                                  static_cast<size_t>(image.height())));
    const bool trueColour = visual->c_class == TrueColor || visual->c_class == DirectColor;
    const unsigned long black = BlackPixel(display, DefaultScreen(display));
    const unsigned long white = WhitePixel(display, DefaultScreen(display));
    for (int row = 0; row < image.height(); ++row) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(row));
        for (int column = 0; column < image.width(); ++column) {
            const QRgb rgb = line[column];
            const unsigned long pixel =
                trueColour ? Channel(qRed(rgb), visual->red_mask) |
                                 Channel(qGreen(rgb), visual->green_mask) |
                                 Channel(qBlue(rgb), visual->blue_mask)
                           : (qGray(rgb) >= 128 ? white : black);
            XPutPixel(ximage, column, row, pixel);
        }
    }
    GC gc = XCreateGC(display, window, 0, nullptr);
    XPutImage(display, window, gc, ximage, 0, 0, x, y, static_cast<unsigned>(image.width()),
              static_cast<unsigned>(image.height()));
    XFreeGC(display, gc);
    XDestroyImage(ximage);  // frees the pixel data too
}

}  // namespace

std::optional<unsigned long> ParseWindowHandle(const std::string& text)
{
    if (text.empty() || text.size() > 10)
        return std::nullopt;
    unsigned long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned long>(c - '0');
    }
    // X11 window ids are 29-bit numbers; anything larger names no window and no valid integer.
    if (value > 0x7fffffffUL)
        return std::nullopt;
    return value;
}

std::string InvalidIntegerMessage(const std::string& text)
{
    return "'" + text + "' is not a valid integer value";
}

std::string DrawPreview(unsigned long handle, int waitMilliseconds)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return "Cannot open the X display to draw the preview.";
    XSetErrorHandler(RecordXError);
    const Window window = static_cast<Window>(handle);

    XWindowAttributes attributes{};
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(waitMilliseconds);
    for (;;) {
        gXError = false;
        const Status ok = XGetWindowAttributes(display, window, &attributes);
        XSync(display, False);
        if (!ok || gXError) {
            XCloseDisplay(display);
            return "Window " + std::to_string(handle) + " does not exist; no preview was drawn.";
        }
        if (attributes.map_state == IsViewable)
            break;
        if (std::chrono::steady_clock::now() >= deadline) {
            XCloseDisplay(display);
            return "Window " + std::to_string(handle) + " did not become visible within " +
                   std::to_string(waitMilliseconds / 1000) + " s; no preview was drawn.";
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

    for (const PreviewLine& line : kLines)
        PutImage(display, window, attributes, RenderLine(QString::fromUtf8(line.text)), line.x,
                 line.y);
    XSync(display, False);
    const bool failed = gXError;
    XCloseDisplay(display);
    return failed ? "Drawing into window " + std::to_string(handle) + " failed." : std::string();
}
