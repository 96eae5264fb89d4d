#include "saver/close_hook_filter.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <utility>

ClassifiedInput ClassifyInput(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::KeyPress:
        return {InputKind::KeyDown, {}};
    case QEvent::KeyRelease:
        return {InputKind::KeyUp, {}};
    case QEvent::MouseMove: {
        const auto& mouse = static_cast<const QMouseEvent&>(event);
        return {InputKind::MouseMove, mouse.globalPosition().toPoint()};
    }
    case QEvent::MouseButtonPress: {
        const auto& mouse = static_cast<const QMouseEvent&>(event);
        const QPoint position = mouse.globalPosition().toPoint();
        switch (mouse.button()) {
        case Qt::LeftButton:
            return {InputKind::LeftButtonDown, position};
        case Qt::RightButton:
            return {InputKind::RightButtonDown, position};
        case Qt::MiddleButton:
            return {InputKind::MiddleButtonDown, position};
        default:
            return {InputKind::Other, position};
        }
    }
    default:
        return {};
    }
}

CloseHookFilter::CloseHookFilter(CloseHook hook, QPoint mouseStart, std::function<void()> close,
                                 QObject* parent)
    : QObject(parent), hook_(hook), mouseStart_(mouseStart), close_(std::move(close))
{
}

bool CloseHookFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (!closed_) {
        const ClassifiedInput input = ClassifyInput(*event);
        if (ClosesSaver(hook_, input.kind, input.position, mouseStart_)) {
            // The release that follows a closing key press must not close a second time.
            closed_ = true;
            close_();
        }
    }
    return QObject::eventFilter(watched, event);
}
