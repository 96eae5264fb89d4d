#include "components/picture_loader.h"

void ThrowLoadError(const std::string& path, const std::string& reason)
{
    throw PictureError("Cannot load picture \"" + path + "\": " + reason);
}

void CheckPictureSize(const std::string& path, int64_t width, int64_t height)
{
    if (width <= 0 || height <= 0)
        ThrowLoadError(path, "the picture has no size");
    if (width > kMaxPicturePixels / height)
        ThrowLoadError(path, "the picture claims " + std::to_string(width) + " x " +
                                 std::to_string(height) + " pixels, more than can be shown");
}

QImage NormalisePixels(QImage image)
{
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

uint32_t ReadLittleEndian(const QByteArray& bytes, qsizetype at, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<uchar>(bytes[at + i]);
    return value;
}
