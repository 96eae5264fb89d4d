#include "saver/close_hook_filter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QObject>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QPoint kMouseStart(500, 400);

std::unique_ptr<QEvent> Key(QEvent::Type type, int key)
{
    return std::make_unique<QKeyEvent>(type, key, Qt::NoModifier);
}

std::unique_ptr<QEvent> Mouse(QEvent::Type type, QPoint screen, Qt::MouseButton button = Qt::NoButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    // The local position differs from the screen position on purpose: the rules look at the screen.
    return std::make_unique<QMouseEvent>(type, QPointF(screen - QPoint(7, 3)), QPointF(screen),
                                         button, held, Qt::NoModifier);
}

std::unique_ptr<QEvent> Wheel(QPoint screen)
{
    return std::make_unique<QWheelEvent>(QPointF(screen), QPointF(screen), QPoint(), QPoint(0, 120),
                                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
}

struct CloseCase {
    const char* name;
    std::unique_ptr<QEvent> (*make)();
    bool closesUnderKeyHook;
    bool closesUnderInputHook;
};

const CloseCase kCases[] = {
    {"letter key down", [] { return Key(QEvent::KeyPress, Qt::Key_A); }, true, true},
    {"letter key up", [] { return Key(QEvent::KeyRelease, Qt::Key_A); }, true, true},
    {"Alt down", [] { return Key(QEvent::KeyPress, Qt::Key_Alt); }, true, true},
    {"Alt up", [] { return Key(QEvent::KeyRelease, Qt::Key_Alt); }, true, true},
    {"F10 down", [] { return Key(QEvent::KeyPress, Qt::Key_F10); }, true, true},
    {"Escape down", [] { return Key(QEvent::KeyPress, Qt::Key_Escape); }, true, true},
    {"move 10,10", [] { return Mouse(QEvent::MouseMove, kMouseStart + QPoint(10, 10)); }, false, false},
    {"move -10,-10", [] { return Mouse(QEvent::MouseMove, kMouseStart - QPoint(10, 10)); }, false, false},
    {"move 11 right", [] { return Mouse(QEvent::MouseMove, kMouseStart + QPoint(11, 0)); }, false, true},
    {"move 11 left", [] { return Mouse(QEvent::MouseMove, kMouseStart - QPoint(11, 0)); }, false, true},
    {"move 11 down", [] { return Mouse(QEvent::MouseMove, kMouseStart + QPoint(0, 11)); }, false, true},
    {"move 11 up", [] { return Mouse(QEvent::MouseMove, kMouseStart - QPoint(0, 11)); }, false, true},
    {"left press", [] { return Mouse(QEvent::MouseButtonPress, kMouseStart, Qt::LeftButton); }, false, true},
    {"right press", [] { return Mouse(QEvent::MouseButtonPress, kMouseStart, Qt::RightButton); }, false, true},
    {"middle press", [] { return Mouse(QEvent::MouseButtonPress, kMouseStart, Qt::MiddleButton); }, false, true},
    {"back button press", [] { return Mouse(QEvent::MouseButtonPress, kMouseStart, Qt::BackButton); }, false, false},
    {"left release", [] { return Mouse(QEvent::MouseButtonRelease, kMouseStart, Qt::LeftButton); }, false, false},
    {"left double click", [] { return Mouse(QEvent::MouseButtonDblClick, kMouseStart, Qt::LeftButton); }, false, false},
    {"wheel far away", [] { return Wheel(kMouseStart + QPoint(300, 300)); }, false, false},
    {"window shown", [] { return std::make_unique<QEvent>(QEvent::Show); }, false, false},
};

TEST(CloseHookFilter, ClosesExactlyOnTheRulesOfEachHook)
{
    QObject target;
    for (const CloseCase& c : kCases) {
        for (const CloseHook hook : {CloseHook::KeyCloseHook, CloseHook::InputCloseHook}) {
            const bool expected = hook == CloseHook::KeyCloseHook ? c.closesUnderKeyHook
                                                                  : c.closesUnderInputHook;
            SCOPED_TRACE(std::string(c.name) +
                         (hook == CloseHook::KeyCloseHook ? " / KeyCloseHook" : " / InputCloseHook"));
            int closes = 0;
            CloseHookFilter filter(hook, kMouseStart, [&] { ++closes; });
            const std::unique_ptr<QEvent> event = c.make();
            // The hook never swallows the event, closing or not.
            EXPECT_FALSE(filter.eventFilter(&target, event.get()));
            EXPECT_EQ(closes, expected ? 1 : 0);
        }
    }
}

TEST(CloseHookFilter, ClosesOnceAndSeesEventsAsAnApplicationFilter)
{
    QObject target;
    int closes = 0;
    CloseHookFilter filter(CloseHook::InputCloseHook, kMouseStart, [&] { ++closes; });
    QCoreApplication::instance()->installEventFilter(&filter);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &press);
    QCoreApplication::sendEvent(&target, &release);
    QCoreApplication::instance()->removeEventFilter(&filter);
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(filter.closeRequested());
}

}  // namespace
