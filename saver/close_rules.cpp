#include "saver/close_rules.h"

#include <cstdlib>

bool MovedBeyondStart(QPoint position, QPoint mouseStart)
{
    constexpr long long kRestingDistance = 10;
    const long long dx = std::llabs(static_cast<long long>(position.x()) - mouseStart.x());
    const long long dy = std::llabs(static_cast<long long>(position.y()) - mouseStart.y());
    return dx > kRestingDistance || dy > kRestingDistance;
}

bool ClosesSaver(CloseHook hook, InputKind input, QPoint position, QPoint mouseStart)
{
    switch (input) {
    case InputKind::KeyDown:
    case InputKind::KeyUp:
        return true;
    case InputKind::MouseMove:
        return hook == CloseHook::InputCloseHook && MovedBeyondStart(position, mouseStart);
    case InputKind::LeftButtonDown:
    case InputKind::RightButtonDown:
    case InputKind::MiddleButtonDown:
        return hook == CloseHook::InputCloseHook;
    case InputKind::Other:
        return false;
    }
    return false;
}
