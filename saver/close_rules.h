#pragma once
// Which input ends the saver. Any key always does; under the input hook a button press or a move
// of the pointer more than 10 pixels away from where it rested at the start does too.

#include <QPoint>

// The two ways the saver can listen for input that ends it.
enum class CloseHook {
    KeyCloseHook,    // keys only: the mouse plays with the ripples
    InputCloseHook   // keys, mouse buttons and mouse movement
};

// The input the close rules tell apart; everything else never closes the saver.
enum class InputKind {
    KeyDown,
    KeyUp,
    MouseMove,
    LeftButtonDown,
    RightButtonDown,
    MiddleButtonDown,
    Other  // releases, double clicks, the wheel, other buttons, anything else
};

// A pointer that rests within 10 pixels of its start on both axes has not moved; each axis is
// tested on its own, so 10 pixels on both does not count and 11 on one does.
bool MovedBeyondStart(QPoint position, QPoint mouseStart);

// Whether the input closes the saver under the hook; position is the pointer in screen
// coordinates for mouse input.
bool ClosesSaver(CloseHook hook, InputKind input, QPoint position, QPoint mouseStart);
