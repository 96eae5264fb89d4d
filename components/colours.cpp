#include "components/colours.h"

#include <array>
#include <cstdint>

namespace {

// A stored colour with the high bit set names a system colour by index, as a colour picker may
// hand out "window text" or "button face"; they read as the desktop's usual default scheme.
constexpr uint32_t kSystemColourFlag = 0x80000000u;
constexpr std::array<uint32_t, 31> kSystemColours = {
    0xC8C8C8,  // scroll bar
    0x000000,  // background
    0xD1B499,  // active caption
    0xDBCDBF,  // inactive caption
    0xF0F0F0,  // menu
    0xFFFFFF,  // window
    0x646464,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0x000000,  // caption text
    0xB4B4B4,  // active border
    0xFCF7F4,  // inactive border
    0xABABAB,  // application workspace
    0xFF9933,  // highlight
    0xFFFFFF,  // highlight text
    0xF0F0F0,  // button face
    0xA0A0A0,  // button shadow
    0x6D6D6D,  // grey text
    0x000000,  // button text
    0x000000,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x696969,  // 3-D dark shadow
    0xE3E3E3,  // 3-D light
    0x000000,  // info text
    0xE1FFFF,  // info background
    0x000000,  // (unused index)
    0xCC6600,  // hot light
    0xEAD1B9,  // gradient active caption
    0xF2E4D7,  // gradient inactive caption
    0xFF9933,  // menu highlight
    0xF0F0F0,  // menu bar
};

}  // namespace

QColor ColorFromWindows(int32_t bgr)
{
    uint32_t value = static_cast<uint32_t>(bgr);
    if ((value & 0xFF000000u) == kSystemColourFlag) {
        uint32_t index = value & 0x00FFFFFFu;
        value = index < kSystemColours.size() ? kSystemColours[index] : 0u;
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

int32_t ColorToWindows(QColor colour)
{
    QColor rgb = colour.toRgb();
    return int32_t(uint32_t(rgb.red()) | uint32_t(rgb.green()) << 8 | uint32_t(rgb.blue()) << 16);
}
