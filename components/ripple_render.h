#pragma once
// Drawing the picture as seen through the water: each pixel is taken from a place of the calm
// picture shifted by the slope of the water surface above it.

#include <vector>

class QImage;
class RippleField;

// One grid cell covers this many pixels in each direction: the water runs at half resolution.
constexpr int kRippleCellPixels = 2;

// The slope of the surface (a difference of heights two cells apart) is divided by this to give
// the shift in pixels; a drop of 1000 moves the picture by a few tens of pixels at first.
constexpr int kRippleSlopeDivisor = 16;

// Redraws the frame pixels under the given grid rows from `plain`, each pixel displaced by the
// slope of `field` above it. `plain` and `frame` are 32-bit images of the same size; the field
// covers them at one cell per kRippleCellPixels × kRippleCellPixels pixels.
void RenderRippleRows(const RippleField& field, const std::vector<int>& gridRows, const QImage& plain,
                      QImage& frame);

// Copies the pixels under grid row `gridRow` from `plain` unchanged: the water above is calm.
void CopyPlainRow(int gridRow, const QImage& plain, QImage& frame);
