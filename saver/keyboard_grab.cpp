#include "saver/keyboard_grab.h"

#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

void TryGrab(QPointer<QWidget> window, int triesLeft)
{
    if (!window || !window->isVisible())
        return;
    QWindow* handle = window->windowHandle();
    if (handle && handle->setKeyboardGrabEnabled(true)) {
        // Qt's own routing of key events follows the grab too.
        window->grabKeyboard();
        return;
    }
    if (triesLeft > 0)
        QTimer::singleShot(20, window, [window, triesLeft] { TryGrab(window, triesLeft - 1); });
}

}  // namespace

void GrabKeyboardWhenMapped(QWidget& window)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    TryGrab(QPointer<QWidget>(&window), 100);
}
