#pragma once
// Keyboard input for a full-screen window that no window manager gives the focus to.

class QWidget;

// Takes the keyboard for the shown window on X11. The server refuses the grab until the window
// is mapped, so it is tried again every 20 ms for up to two seconds. Elsewhere it does nothing:
// the window system's own focus rules bring the keys.
void GrabKeyboardWhenMapped(QWidget& window);
