#pragma once
// The application-wide listener that ends the saver on the first qualifying input. It sees every
// event before it is delivered and never consumes one, so closing does not change what the
// window itself receives.

#include "saver/close_rules.h"

#include <QObject>
#include <QPoint>

#include <functional>

class QEvent;

// Which kind of input an event is under the close rules, and where the pointer was (screen
// coordinates) for mouse input.
struct ClassifiedInput {
    InputKind kind = InputKind::Other;
    QPoint position;
};
ClassifiedInput ClassifyInput(const QEvent& event);

// An event filter for the application object that runs one close hook.
class CloseHookFilter final : public QObject {
    Q_OBJECT
public:
    // close runs once, at the first input that closes under the hook.
    CloseHookFilter(CloseHook hook, QPoint mouseStart, std::function<void()> close,
                    QObject* parent = nullptr);

    CloseHook hook() const { return hook_; }
    QPoint mouseStart() const { return mouseStart_; }
    bool closeRequested() const { return closed_; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CloseHook hook_;
    QPoint mouseStart_;
    std::function<void()> close_;
    bool closed_ = false;
};
