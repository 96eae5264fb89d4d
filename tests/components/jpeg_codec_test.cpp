#include "components/jpeg_codec.h"
#include "components/picture.h"
#include "support/temp_dir.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

// The example tables of the JPEG standard (Annex K), in natural row order, that libjpeg scales
// by quality.
constexpr std::array<int, 64> kLuminanceBase = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr std::array<int, 64> kChrominanceBase = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};
// The zig-zag order in which a file stores the 64 entries: natural index of each stored one.
constexpr std::array<int, 64> kZigZag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
    12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
    35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
    58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The table as stored in a file of the given quality (the IJG scaling, kept within 8 bits).
std::vector<int> StoredTable(const std::array<int, 64>& base, int quality)
{
    const int scale = quality < 50 ? 5000 / quality : 200 - quality * 2;
    std::vector<int> stored;
    for (int natural : kZigZag)
        stored.push_back(std::clamp((base[natural] * scale + 50) / 100, 1, 255));
    return stored;
}

// What the markers of a JPEG file say about how it was encoded.
struct JpegLayout {
    std::vector<int> frameMarkers;              // 0xC0 baseline, 0xC1 extended, 0xC2 progressive
    int components = 0;
    std::map<int, std::vector<int>> tables;     // quantisation table id -> stored entries
};

JpegLayout ReadLayout(const QByteArray& bytes)
{
    JpegLayout layout;
    const auto byte = [&](qsizetype at) { return static_cast<uchar>(bytes.at(at)); };
    EXPECT_TRUE(bytes.size() > 4 && byte(0) == 0xFF && byte(1) == 0xD8);
    qsizetype at = 2;
    while (at + 4 <= bytes.size() && byte(at) == 0xFF) {
        const int marker = byte(at + 1);
        const int length = byte(at + 2) << 8 | byte(at + 3);
        const qsizetype body = at + 4;
        if (marker == 0xDB) {
            for (qsizetype p = body; p < at + 2 + length; p += 65) {
                EXPECT_EQ(byte(p) >> 4, 0) << "8-bit table";
                std::vector<int>& table = layout.tables[byte(p) & 0x0F];
                for (int i = 1; i <= 64; ++i)
                    table.push_back(byte(p + i));
            }
        } else if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                   marker != 0xCC) {
            layout.frameMarkers.push_back(marker);
            layout.components = byte(body + 5);
        } else if (marker == 0xDA) {
            break;  // entropy-coded data follows
        }
        at += 2 + length;
    }
    return layout;
}

QImage Gradient(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, QColor(x * 255 / width, y * 255 / height, 128));
    return image;
}

QImage Decoded(const QByteArray& jpeg)
{
    return QImage::fromData(jpeg, "JPEG").convertToFormat(QImage::Format_RGB32);
}

}  // namespace

// The texture file format: baseline, three colour components, the standard tables scaled for
// the quality; grey and transparent pictures become colour JPEGs all the same.
TEST(EncodeJpegTest, WritesBaselineColourJpegWithTheQualityTables)
{
    QImage grey = Gradient(40, 30).convertToFormat(QImage::Format_Grayscale8);
    QImage transparent(40, 30, QImage::Format_ARGB32);
    transparent.fill(Qt::transparent);
    for (const QImage& image : {Gradient(40, 30), grey, transparent}) {
        const JpegLayout layout = ReadLayout(EncodeJpeg(image));
        EXPECT_EQ(layout.frameMarkers, std::vector<int>{0xC0});
        EXPECT_EQ(layout.components, 3);
        ASSERT_EQ(layout.tables.size(), 2u);
        EXPECT_EQ(layout.tables.at(0), StoredTable(kLuminanceBase, 90));
        EXPECT_EQ(layout.tables.at(1), StoredTable(kChrominanceBase, 90));
    }
    // The quality argument really is what scales the tables.
    EXPECT_EQ(ReadLayout(EncodeJpeg(Gradient(16, 16), 50)).tables.at(0),
              StoredTable(kLuminanceBase, 50));
}

TEST(EncodeJpegTest, KeepsThePictureAndLaysTransparencyOverWhite)
{
    const QImage source = Gradient(64, 48);
    const QImage decoded = Decoded(EncodeJpeg(source));
    ASSERT_EQ(decoded.size(), source.size());
    int worst = 0;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const QRgb a = source.pixel(x, y), b = decoded.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    EXPECT_LE(worst, 24);

    QImage transparent(16, 16, QImage::Format_ARGB32);
    transparent.fill(Qt::transparent);
    EXPECT_EQ(Decoded(EncodeJpeg(transparent)).pixel(8, 8), qRgb(255, 255, 255));
    EXPECT_THROW(EncodeJpeg(QImage()), PictureError);
}

// A JPEG texture is its file, byte for byte (even a progressive one); a bitmap or GIF is encoded;
// the kinds that cannot be converted say so and name the file.
TEST(PictureToJpegTest, CopiesJpegEncodesBitmapsAndRefusesTheRest)
{
    TempDir dir;
    QByteArray progressive;
    {
        QBuffer buffer(&progressive);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setProgressiveScanWrite(true);
        writer.setQuality(40);
        ASSERT_TRUE(writer.write(Gradient(33, 17)));
    }
    const std::string jpegPath = dir.file("photo.jpg");
    WriteFileBytes(jpegPath, progressive.toStdString());
    EXPECT_EQ(PictureToJpeg(LoadPicture(jpegPath)), progressive);

    for (PictureKind kind : {PictureKind::Bitmap, PictureKind::Gif}) {
        Picture picture;
        picture.kind = kind;
        picture.image = Gradient(33, 17);
        picture.sourcePath = "/pic/a.bmp";
        const QByteArray jpeg = PictureToJpeg(picture);
        EXPECT_EQ(ReadLayout(jpeg).frameMarkers, std::vector<int>{0xC0});
        EXPECT_EQ(ReadLayout(jpeg).tables.at(0), StoredTable(kLuminanceBase, 90));
        EXPECT_EQ(Decoded(jpeg).size(), QSize(33, 17));
    }

    for (PictureKind kind : {PictureKind::Png, PictureKind::Icon, PictureKind::Metafile}) {
        Picture picture;
        picture.kind = kind;
        picture.image = Gradient(8, 8);
        picture.sourcePath = "/pic/texture.x";
        try {
            PictureToJpeg(picture);
            ADD_FAILURE() << "converted kind " << static_cast<int>(kind);
        } catch (const PictureError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("cannot be converted to JPEG"), std::string::npos) << message;
            EXPECT_NE(message.find("/pic/texture.x"), std::string::npos) << message;
        }
    }
    EXPECT_THROW(PictureToJpeg(Picture()), PictureError);
}

// Print workflows write CMYK JPEGs, with the channels inverted when an Adobe marker is present
// (which libjpeg always writes for CMYK); they decode to the right colours.
TEST(DecodeJpegTest, DecodesAdobeCmyk)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* output = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &output, &size);
    info.image_width = 16;
    info.image_height = 16;
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    // Left half red (C 0, M 100 %, Y 100 %, K 0), right half dark grey (K 75 %), inverted.
    std::vector<unsigned char> row;
    for (int x = 0; x < 16; ++x) {
        const std::array<int, 4> cmyk = x < 8 ? std::array<int, 4>{0, 255, 255, 0}
                                              : std::array<int, 4>{0, 0, 0, 191};
        for (int channel : cmyk)
            row.push_back(static_cast<unsigned char>(255 - channel));
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    const QByteArray jpeg(reinterpret_cast<const char*>(output), static_cast<qsizetype>(size));
    jpeg_destroy_compress(&info);
    std::free(output);

    const QImage image = DecodeJpeg(jpeg, "cmyk.jpg");
    ASSERT_EQ(image.size(), QSize(16, 16));
    const QRgb red = image.pixel(3, 8), grey = image.pixel(12, 8);
    EXPECT_GE(qRed(red), 240);
    EXPECT_LE(qGreen(red), 15);
    EXPECT_LE(qBlue(red), 15);
    EXPECT_NEAR(qRed(grey), 64, 8);
    EXPECT_NEAR(qGreen(grey), 64, 8);
}
