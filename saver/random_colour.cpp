#include "saver/random_colour.h"

#include <cmath>

namespace {

double HueToChannel(double m1, double m2, double h)
{
    if (h < 0)
        h += 1;
    if (h > 1)
        h -= 1;
    if (h * 6 < 1)
        return m1 + (m2 - m1) * h * 6;
    if (h * 2 < 1)
        return m2;
    if (h * 3 < 2)
        return m1 + (m2 - m1) * (2.0 / 3.0 - h) * 6;
    return m1;
}

int Channel(double value)
{
    // nearbyint rounds in the default mode: to nearest, halves to even.
    return static_cast<int>(std::nearbyint(255.0 * value));
}

}  // namespace

RgbColour HslToRgb(double hue, double saturation, double lightness)
{
    const double m2 = lightness <= 0.5 ? lightness * (1 + saturation)
                                       : lightness + saturation - lightness * saturation;
    const double m1 = 2 * lightness - m2;
    return {Channel(HueToChannel(m1, m2, hue + 1.0 / 3.0)), Channel(HueToChannel(m1, m2, hue)),
            Channel(HueToChannel(m1, m2, hue - 1.0 / 3.0))};
}

RgbColour RandomStrongColour(double r1, double r2, double r3)
{
    return HslToRgb(r1, 0.75 + 0.25 * r2, 0.3 + 0.25 * r3);
}
