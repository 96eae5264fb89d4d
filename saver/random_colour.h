#pragma once
// The random background colour: a strongly saturated colour of middle lightness, never grey, very
// dark or very pale.

// A colour as three channels of 0 to 255.
struct RgbColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const RgbColour&, const RgbColour&) = default;
};

// The standard hue-saturation-lightness conversion (hue a full turn in [0, 1)); each channel is
// 255 times its value rounded to nearest, halves to even.
RgbColour HslToRgb(double hue, double saturation, double lightness);

// The colour for three uniform draws in [0, 1): hue r1, saturation 0.75 + 0.25 r2, lightness
// 0.3 + 0.25 r3.
RgbColour RandomStrongColour(double r1, double r2, double r3);
