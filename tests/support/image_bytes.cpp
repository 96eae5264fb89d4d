#include "support/image_bytes.h"

#include <QBuffer>
#include <QByteArray>

#include <gtest/gtest.h>

std::string EncodedImage(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << "cannot encode a test picture as " << format;
    return bytes.toStdString();
}
