#pragma once
// JPEG through libjpeg: decoding of JPEG pictures, and the encoding of texture files, which are
// stored as baseline colour JPEGs.

#include "components/picture.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <string>

// Encodes with libjpeg as a baseline (not progressive) JPEG with three colour components; quality
// is 1..100 and scales the standard quantisation tables. Transparent parts are laid over white,
// as JPEG has no alpha. Throws PictureError on failure (an empty image, for one).
QByteArray EncodeJpeg(const QImage& image, int quality = 90);

// The bytes of the picture's texture file: a JPEG's own bytes, or a bitmap/GIF encoded at quality
// 90. Throws PictureError for an icon, a metafile or a PNG ("... cannot be converted to JPEG").
QByteArray PictureToJpeg(const Picture& picture);

// Decodes the JPEG file bytes (path only names the file in errors) into 32-bit pixels. A valid
// showSize lets libjpeg reduce the picture while decoding (DCT scaling by n/8) to the smallest
// size that still covers showSize in both directions. Truncated data, a header claiming more
// pixels than we decode, or anything libjpeg rejects throws PictureError.
QImage DecodeJpeg(const QByteArray& bytes, const std::string& path, QSize showSize = QSize());
