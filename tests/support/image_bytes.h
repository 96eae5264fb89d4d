#pragma once
// Picture fixtures made in the test: an image encoded in a given format, as file bytes.

#include <QImage>

#include <string>

// The bytes of `image` saved in `format` ("png", "BMP", "jpg", ...), as Qt's writer makes them.
std::string EncodedImage(const QImage& image, const char* format);
