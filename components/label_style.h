#pragma once

#include "components/colours.h"
#include "components/picture.h"

#include <cstdint>
#include <string>

// The style set of a label's font.
struct FontStyleSet {
    bool bold = false, italic = false, underline = false, strikeOut = false;
    friend bool operator==(const FontStyleSet&, const FontStyleSet&) = default;
};

// The font of a styled label: a face name as the settings file knows it, size in points, colour.
struct LabelFont {
    std::string Name = "宋体";
    int Size = 48;
    int32_t Color = 0;  // 0x00BBGGRR
    FontStyleSet Style;
};

enum GradualStyle : uint8_t { gsLeftToRight, gsRightToLeft, gsTopToBottom, gsBottomToTop, gsCenterToLR, gsCenterToTB };
enum TextureMode : uint8_t { tmTiled, tmStretched, tmCenter, tmNormal };

// The drop shadow of a label's text.
struct ShadowEffect {
    bool Enabled = false;
    uint8_t Alpha = 70;  // percent
    uint8_t Blur = 80;   // percent
    int32_t Color = 4473924;
    int8_t OffsetX = 2;
    int8_t OffsetY = 2;
};

// A colour gradient laid over the text instead of its plain colour.
struct GradualEffect {
    bool Enabled = false;
    int32_t StartColor = 16777215;
    int32_t EndColor = 0;
    uint8_t Style = gsLeftToRight;  // a GradualStyle
};

// A picture laid over the text instead of its colour or gradient.
struct TextureEffect {
    bool Enabled = false;
    uint8_t Mode = tmTiled;  // a TextureMode
    ::Picture Picture;       // qualified: a member may not change the meaning of its type name
};

// Every effect of a styled label; field widths are the widths kept in the settings file.
struct TextEffect {
    uint8_t Alpha = 100;  // percent of opacity
    uint8_t Blur = 0;     // percent
    uint8_t Noise = 0;
    uint8_t Spray = 0;
    int16_t Angle = 0;    // degrees, counter-clockwise
    bool Outline = false;
    bool HorzMirror = false;
    bool VertMirror = false;
    ShadowEffect Shadow;
    GradualEffect Gradual;
    TextureEffect Texture;
};
