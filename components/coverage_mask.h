#pragma once

#include <QImage>
#include <QRect>

#include <cstdint>

// Operations on coverage masks: QImage::Format_Alpha8 images in which each byte says how much of
// the pixel the text covers. Pixels beyond the edges count as uncovered.

// The smallest rectangle holding every covered pixel; empty when nothing is covered.
QRect CoveredBox(const QImage& mask);

// Softens the mask with a box filter of the given radius run `passes` times in each direction,
// which approaches a Gaussian of about radius * sqrt(passes / 3) deviation.
void BoxBlurMask(QImage& mask, int radius, int passes = 3);

// Keeps only the rim of the covered area, `width` pixels deep, so the inside of a glyph is empty.
void OutlineMask(QImage& mask, int width);

// Moves every pixel's coverage to a spot up to `radius` pixels away in each direction, like paint
// from a spray can. The same seed scatters the same way.
void SprayMask(QImage& mask, int radius, uint64_t seed);
