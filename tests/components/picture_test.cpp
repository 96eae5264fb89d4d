#include "components/jpeg_codec.h"
#include "components/picture.h"
#include "support/image_bytes.h"
#include "support/temp_dir.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

// ---- Small picture files made byte by byte -------------------------------------------------

void PutLe(std::string& out, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutBe(std::string& out, uint32_t value, int size)
{
    for (int i = size - 1; i >= 0; --i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A picture whose left half is red and right half blue, so a decoder that mixes up channels,
// rows or halves shows it.
QImage TwoColourImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 255));
    QPainter(&image).fillRect(0, 0, width / 2, height, QColor(255, 0, 0));
    return image;
}

// A GIF of palette indexes 0 (red) and 1 (blue) in the two-colour layout. The LZW stream sends
// a clear code before every two pixels, so codes stay three bits wide: valid, if not small.
std::string TwoColourGif(int width, int height)
{
    std::string out = "GIF89a";
    PutLe(out, width, 2);
    PutLe(out, height, 2);
    out += std::string("\x81\x00\x00", 3);            // global table of 4 colours
    out += std::string("\xFF\x00\x00\x00\x00\xFF", 6);  // red, blue
    out += std::string("\x00\x00\x00\x00\x00\x00", 6);
    out.push_back(0x2C);
    PutLe(out, 0, 2);
    PutLe(out, 0, 2);
    PutLe(out, width, 2);
    PutLe(out, height, 2);
    out.push_back(0);
    out.push_back(2);  // LZW minimum code size
    std::vector<int> codes;
    for (int i = 0; i < width * height; ++i) {
        if (i % 2 == 0)
            codes.push_back(4);  // clear
        codes.push_back(i % width < width / 2 ? 0 : 1);
    }
    codes.push_back(5);  // end of information
    std::string data;
    uint32_t bits = 0;
    int count = 0;
    for (int code : codes) {
        bits |= static_cast<uint32_t>(code) << count;
        count += 3;
        while (count >= 8) {
            data.push_back(static_cast<char>(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0)
        data.push_back(static_cast<char>(bits & 0xFF));
    for (size_t at = 0; at < data.size(); at += 255) {
        const std::string block = data.substr(at, 255);
        out.push_back(static_cast<char>(block.size()));
        out += block;
    }
    out.push_back(0);
    out.push_back(0x3B);
    return out;
}

// An enhanced metafile of width × height pixels (at 96 dpi) with a red rectangle 10 pixels in
// from every edge. frameScale inflates only the frame the header claims.
std::string RedRectangleEmf(int width, int height, int64_t frameScale = 1)
{
    std::string records;
    const auto record = [&](uint32_t type, const std::vector<uint32_t>& fields) {
        PutLe(records, type, 4);
        PutLe(records, 8 + 4 * static_cast<uint32_t>(fields.size()), 4);
        for (uint32_t field : fields)
            PutLe(records, field, 4);
    };
    record(39, {1, 0, 0x000000FF, 0});  // solid red brush as object 1
    record(37, {1});                     // select it
    record(43, {10, 10, static_cast<uint32_t>(width - 10), static_cast<uint32_t>(height - 10)});
    record(14, {0, 16, 20});  // end of file

    const auto frame = [&](int pixels) {
        return static_cast<uint32_t>(pixels * 2540 / 96 * frameScale);
    };
    std::string header;
    const uint32_t headerSize = 108;
    const uint32_t total = headerSize + static_cast<uint32_t>(records.size());
    for (uint32_t field : {1u, headerSize, 0u, 0u, static_cast<uint32_t>(width - 1),
                           static_cast<uint32_t>(height - 1), 0u, 0u, frame(width),
                           frame(height), 0x464D4520u, 0x10000u, total, 5u})
        PutLe(header, field, 4);
    PutLe(header, 2, 2);  // handles
    PutLe(header, 0, 2);
    for (uint32_t field : {0u, 0u, 0u, 1920u, 1080u, 508u, 286u, 0u, 0u, 0u, 508000u, 285750u})
        PutLe(header, field, 4);
    return header + records;
}

// An old-style metafile with a placeable header of width × height pixels (96 units per inch)
// and a red rectangle 10 pixels in from every edge.
std::string RedRectangleWmf(int width, int height)
{
    std::string records;
    const auto record = [&](uint16_t function, const std::vector<uint16_t>& params) {
        PutLe(records, 3 + static_cast<uint32_t>(params.size()), 4);
        PutLe(records, function, 2);
        for (uint16_t param : params)
            PutLe(records, param, 2);
    };
    const auto w = static_cast<uint16_t>(width), h = static_cast<uint16_t>(height);
    record(0x020B, {0, 0});                        // window origin
    record(0x020C, {h, w});                        // window extent
    record(0x02FC, {0, 0x00FF, 0x0000, 0});        // solid red brush
    record(0x012D, {0});                           // select it
    record(0x041B, {static_cast<uint16_t>(h - 10), static_cast<uint16_t>(w - 10), 10, 10});
    record(0x0000, {});                            // end of file

    std::string placeable;
    PutLe(placeable, 0x9AC6CDD7, 4);
    for (uint16_t word : {uint16_t{0}, uint16_t{0}, uint16_t{0}, w, h, uint16_t{96}})
        PutLe(placeable, word, 2);
    PutLe(placeable, 0, 4);
    uint16_t checksum = 0;
    for (size_t i = 0; i < placeable.size(); i += 2)
        checksum ^= static_cast<uint16_t>(static_cast<uint8_t>(placeable[i]) |
                                          static_cast<uint8_t>(placeable[i + 1]) << 8);
    PutLe(placeable, checksum, 2);

    std::string header;
    const uint32_t words = 9 + static_cast<uint32_t>(records.size()) / 2;
    for (uint16_t word : {uint16_t{1}, uint16_t{9}, uint16_t{0x0300}})
        PutLe(header, word, 2);
    PutLe(header, words, 4);
    PutLe(header, 1, 2);  // objects
    PutLe(header, 7, 4);  // largest record
    PutLe(header, 0, 2);
    return placeable + header + records;
}

uint32_t Crc32(const std::string& bytes)
{
    uint32_t crc = 0xFFFFFFFF;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
    }
    return ~crc;
}

// A PNG whose header claims width × height RGB pixels, followed by a little image data.
std::string PngWithSize(uint32_t width, uint32_t height)
{
    std::string out = "\x89PNG\r\n\x1a\n";
    const auto chunk = [&](const std::string& type, const std::string& data) {
        PutBe(out, static_cast<uint32_t>(data.size()), 4);
        out += type + data;
        PutBe(out, Crc32(type + data), 4);
    };
    std::string header;
    PutBe(header, width, 4);
    PutBe(header, height, 4);
    chunk("IHDR", header + std::string("\x08\x02\x00\x00\x00", 5));
    chunk("IDAT", std::string("\x78\x9c\x63\x60\x00\x00\x00\x02\x00\x01", 10));
    chunk("IEND", "");
    return out;
}

// A 24-bit bitmap header claiming width × height pixels, followed by a single row of data.
std::string BitmapHeaderOnly(int32_t width, int32_t height)
{
    std::string out = "BM";
    PutLe(out, 54 + 12, 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    for (uint32_t field : {40u, static_cast<uint32_t>(width), static_cast<uint32_t>(height)})
        PutLe(out, field, 4);
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    for (int i = 0; i < 6; ++i)
        PutLe(out, 0, 4);
    return out + std::string(12, '\0');
}

// The JPEG with the dimensions of its start-of-frame segment replaced.
std::string WithJpegSize(std::string jpeg, uint16_t width, uint16_t height)
{
    const size_t sof = jpeg.find("\xFF\xC0");
    EXPECT_NE(sof, std::string::npos);
    jpeg[sof + 5] = static_cast<char>(height >> 8);
    jpeg[sof + 6] = static_cast<char>(height & 0xFF);
    jpeg[sof + 7] = static_cast<char>(width >> 8);
    jpeg[sof + 8] = static_cast<char>(width & 0xFF);
    return jpeg;
}

// The GIF (one picture, global colour table of four) with its screen and picture sizes replaced.
std::string WithGifSize(std::string gif, uint16_t width, uint16_t height)
{
    for (size_t at : {size_t{6}, size_t{13 + 12 + 5}}) {
        gif[at] = static_cast<char>(width & 0xFF);
        gif[at + 1] = static_cast<char>(width >> 8);
        gif[at + 2] = static_cast<char>(height & 0xFF);
        gif[at + 3] = static_cast<char>(height >> 8);
    }
    return gif;
}

std::string Truncated(const std::string& bytes)
{
    return bytes.substr(0, bytes.size() * 2 / 3);
}

bool Near(QRgb actual, QRgb expected, int tolerance = 40)
{
    return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

}  // namespace

TEST(PictureExtensionsTest, ListsTheEightKindsAndIgnoresLetterCase)
{
    std::vector<std::string> listed(PictureExtensions().begin(), PictureExtensions().end());
    EXPECT_EQ(listed, (std::vector<std::string>{"png", "gif", "jpg", "jpeg", "bmp", "ico", "emf",
                                                "wmf"}));
    for (const char* name : {"a.png", "B.JPG", "c.JpEg", "/x/y.d/e.Wmf", "f.tar.gif", ".bmp"})
        EXPECT_TRUE(HasPictureExtension(name)) << name;
    for (const char* name : {"", "png", "a.png.txt", "a.tif", "a.", "/pic.jpg/readme", "a.jpe"})
        EXPECT_FALSE(HasPictureExtension(name)) << name;
}

// Every kind loads for real through its own decoder, whatever the letter case of its
// extension, with the right kind and size and its red half on the left.
TEST(LoadPictureTest, LoadsEveryKind)
{
    TempDir dir;
    const QImage source = TwoColourImage(32, 24);
    struct Case {
        const char* name;
        std::string bytes;
        PictureKind kind;
        QSize size;
    };
    const std::vector<Case> cases = {
        {"a.png", EncodedImage(source, "png"), PictureKind::Png, {32, 24}},
        {"b.GIF", TwoColourGif(32, 24), PictureKind::Gif, {32, 24}},
        {"c.jpg", EncodedImage(source, "jpg"), PictureKind::Jpeg, {32, 24}},
        {"d.JPEG", EncodedImage(source, "jpg"), PictureKind::Jpeg, {32, 24}},
        {"e.bmp", EncodedImage(source, "bmp"), PictureKind::Bitmap, {32, 24}},
        {"f.Ico", EncodedImage(source, "ico"), PictureKind::Icon, {32, 24}},
        {"g.emf", RedRectangleEmf(64, 48), PictureKind::Metafile, {64, 48}},
        {"h.WMF", RedRectangleWmf(64, 48), PictureKind::Metafile, {64, 48}},
        // Without the placeable header the picture is what the records draw: the rectangle
        // (44 × 28 pixels and its outline) at 96 dpi.
        {"i.wmf", RedRectangleWmf(64, 48).substr(22), PictureKind::Metafile, {60, 38}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file(c.name);
        WriteFileBytes(path, c.bytes);
        const Picture picture = LoadPicture(path);
        EXPECT_EQ(picture.kind, c.kind);
        EXPECT_EQ(picture.sourcePath, path);
        EXPECT_FALSE(picture.isEmpty());
        ASSERT_EQ(picture.image.size(), c.size);
        const int y = c.size.height() / 2;
        EXPECT_TRUE(Near(picture.image.pixel(c.size.width() / 4, y), qRgb(255, 0, 0)))
            << QColor(picture.image.pixel(c.size.width() / 4, y)).name().toStdString();
        if (c.kind == PictureKind::Metafile) {
            // The drawing is a red rectangle on nothing, with the margins its frame gives it.
            if (c.size.width() == 64) {
                EXPECT_EQ(qAlpha(picture.image.pixel(2, 2)), 0);
            }
            EXPECT_TRUE(Near(picture.image.pixel(c.size.width() * 3 / 4, y), qRgb(255, 0, 0)));
        } else {
            EXPECT_TRUE(Near(picture.image.pixel(c.size.width() * 3 / 4, y), qRgb(0, 0, 255)));
        }
        // Only a JPEG keeps its bytes: they are its texture file.
        EXPECT_EQ(picture.sourceBytes.toStdString(),
                  c.kind == PictureKind::Jpeg ? c.bytes : std::string());
    }
}

// Hostile and broken files are refused with a PictureError that names the file; none crashes
// or allocates what a forged header claims.
TEST(LoadPictureTest, RefusesBrokenAndHostileFiles)
{
    TempDir dir;
    const QImage source = TwoColourImage(64, 48);
    const std::string png = EncodedImage(source, "png");
    const std::string jpg = EncodedImage(source, "jpg");
    struct Case {
        const char* name;
        std::string bytes;
        const char* reason;  // a part of the message, or "" when any clear reason will do
    };
    const std::vector<Case> cases = {
        {"empty.png", "", "empty"},
        {"empty.jpg", "", "empty"},
        {"cut.png", Truncated(png), ""},
        {"cut.jpg", Truncated(jpg), "truncated"},
        {"cut.bmp", Truncated(EncodedImage(source, "bmp")), "truncated"},
        {"cut.gif", Truncated(TwoColourGif(64, 48)), "truncated"},
        {"cut.ico", Truncated(EncodedImage(source, "ico")), ""},
        {"cut.emf", Truncated(RedRectangleEmf(64, 48)), "truncated"},
        {"cut.wmf", Truncated(RedRectangleWmf(64, 48)), "truncated"},
        {"png-named.jpg", png, "Not a JPEG file"},
        {"jpeg-named.png", jpg, "not a valid PNG"},
        {"text-named.bmp", "just some text, not a bitmap\n", "not a valid BMP"},
        {"text-named.gif", "GIF? no.", "not a valid GIF"},
        {"text-named.emf", std::string(200, 'x'), "not a valid EMF"},
        {"text-named.wmf", std::string(200, 'x'), "not a valid WMF"},
        {"huge.png", PngWithSize(100000, 100000), "claims 100000 x 100000"},
        {"huge.bmp", BitmapHeaderOnly(100000, -100000), "claims 100000 x 100000"},
        {"huge.gif", WithGifSize(TwoColourGif(4, 2), 65535, 65535), "claims 65535 x 65535"},
        {"huge.wmf", RedRectangleWmf(32000, 32000), "claims"},
        {"huge.jpg", WithJpegSize(jpg, 65000, 65000), "claims 65000 x 65000"},
        {"huge.emf", RedRectangleEmf(64, 48, 100000), "claims"},
        {"notes.txt", "hello", "unknown picture file extension"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file(c.name);
        WriteFileBytes(path, c.bytes);
        try {
            LoadPicture(path);
            ADD_FAILURE() << "loaded";
        } catch (const PictureError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("\"" + path + "\""), std::string::npos) << message;
            EXPECT_NE(message.find(c.reason), std::string::npos) << message;
        }
    }
    for (const std::string& path : {dir.file("missing.png"), dir.path() + "/"}) {
        try {
            LoadPicture(path);
            ADD_FAILURE() << path << " loaded";
        } catch (const PictureError& error) {
            EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
        }
    }
}

// A photo of 24 megapixels loads whole; given the size it will be shown at, libjpeg reduces it
// while decoding to the smallest size that still covers that size.
TEST(LoadPictureTest, LargeJpegDecodesWholeOrReducedForItsShowSize)
{
    TempDir dir;
    const std::string path = dir.file("photo.jpg");
    WriteFileBytes(path, EncodeJpeg(TwoColourImage(6000, 4000), 90).toStdString());

    struct Case {
        QSize showSize;
        QSize expected;
    };
    const std::vector<Case> cases = {
        {QSize(), {6000, 4000}},
        {{1920, 1080}, {2250, 1500}},  // 3/8: 2/8 would be 1500 wide, too narrow
        {{1500, 1000}, {1500, 1000}},  // exactly 2/8
        {{100, 3999}, {6000, 4000}},   // only the whole height covers 3999
        {{8000, 100}, {6000, 4000}},   // wider than the photo: never scaled up
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.showSize.width() << "x" << c.showSize.height());
        const Picture picture = LoadPicture(path, c.showSize);
        EXPECT_EQ(picture.image.size(), c.expected);
        const QImage& image = picture.image;
        EXPECT_TRUE(Near(image.pixel(image.width() / 4, image.height() / 2), qRgb(255, 0, 0)));
        EXPECT_TRUE(Near(image.pixel(image.width() * 3 / 4, image.height() / 2), qRgb(0, 0, 255)));
        EXPECT_EQ(picture.sourceBytes.size(), static_cast<qsizetype>(ReadFileBytes(path).size()));
    }
}

// Other kinds ignore the show size; it is a decoding shortcut only JPEG has.
TEST(LoadPictureTest, ShowSizeLeavesOtherKindsWhole)
{
    TempDir dir;
    const std::string path = dir.file("big.png");
    WriteFileBytes(path, EncodedImage(TwoColourImage(800, 600), "png"));
    EXPECT_EQ(LoadPicture(path, QSize(100, 100)).image.size(), QSize(800, 600));
}
