#pragma once

#include <QColor>
#include <cstdint>

// Colours are stored as 32-bit values laid out 0x00BBGGRR (red in the lowest byte), the form the
// settings file keeps as decimal integers. These two are the only crossing between that form and
// QColor in the whole program.
QColor ColorFromWindows(int32_t bgr);
int32_t ColorToWindows(QColor colour);
