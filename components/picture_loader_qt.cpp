// png, gif, bmp and ico through Qt's image readers. Qt's BMP and GIF readers accept a file cut
// short and return the part they got (the rest left blank), so those two formats are first walked
// far enough to know that the data of the first picture is all there.

#include "components/picture_loader.h"

#include <QBuffer>
#include <QImageReader>

#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

// What a bitmap's headers say: its size and where its pixel data must end. The pixel data of an
// uncompressed bitmap fills whole rows padded to four bytes; a compressed one states its size.
struct BitmapLayout {
    int64_t width = 0;
    int64_t height = 0;
    int64_t dataEnd = 0;
};

std::optional<BitmapLayout> ReadBitmapLayout(const QByteArray& bytes)
{
    constexpr qsizetype kFileHeader = 14;
    if (bytes.size() < kFileHeader + 4)
        return std::nullopt;
    const int64_t dataOffset = ReadLittleEndian(bytes, 10, 4);
    const uint32_t infoSize = ReadLittleEndian(bytes, 14, 4);
    BitmapLayout layout;
    int64_t bitCount = 0, compression = 0, imageSize = 0;
    if (infoSize == 12) {  // the old OS/2 header
        if (bytes.size() < kFileHeader + 12)
            return std::nullopt;
        layout.width = ReadLittleEndian(bytes, 18, 2);
        layout.height = ReadLittleEndian(bytes, 20, 2);
        bitCount = ReadLittleEndian(bytes, 24, 2);
    } else {
        if (bytes.size() < kFileHeader + 40)
            return std::nullopt;
        layout.width = std::abs(int64_t{static_cast<int32_t>(ReadLittleEndian(bytes, 18, 4))});
        // A negative height marks rows stored top down.
        layout.height = std::abs(int64_t{static_cast<int32_t>(ReadLittleEndian(bytes, 22, 4))});
        bitCount = ReadLittleEndian(bytes, 28, 2);
        compression = ReadLittleEndian(bytes, 30, 4);
        imageSize = ReadLittleEndian(bytes, 34, 4);
    }
    constexpr int64_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;
    int64_t dataSize = 0;
    if (compression == kRgb || compression == kBitFields || compression == kAlphaBitFields)
        dataSize = (layout.width * bitCount + 31) / 32 * 4 * layout.height;
    else if (compression == kRle8 || compression == kRle4)
        dataSize = imageSize;
    layout.dataEnd = dataOffset + dataSize;
    return layout;
}

// A bitmap's own claims are checked before Qt's reader sees it: the size first, as a forged
// size also makes the file look truncated.
void CheckBitmap(const QByteArray& bytes, const std::string& path)
{
    const std::optional<BitmapLayout> layout = ReadBitmapLayout(bytes);
    if (!layout)
        ThrowLoadError(path, "the file is truncated");
    CheckPictureSize(path, layout->width, layout->height);
    if (layout->dataEnd > bytes.size())
        ThrowLoadError(path, "the file is truncated");
}

// Walks the blocks of a GIF up to the end of its first picture's data.
bool GifComplete(const QByteArray& bytes)
{
    const qsizetype size = bytes.size();
    constexpr qsizetype kScreenEnd = 13;  // signature and logical screen descriptor
    if (size < kScreenEnd)
        return false;
    qsizetype at = kScreenEnd;
    const auto colourTable = [&](uchar flags) {
        return (flags & 0x80) ? qsizetype{3} << ((flags & 0x07) + 1) : 0;
    };
    at += colourTable(static_cast<uchar>(bytes[10]));
    const auto skipSubBlocks = [&]() {
        while (at < size) {
            const uchar length = static_cast<uchar>(bytes[at++]);
            if (length == 0)
                return true;
            at += length;
        }
        return false;
    };
    while (at < size) {
        const uchar block = static_cast<uchar>(bytes[at++]);
        if (block == 0x21) {  // extension: label, then data sub-blocks
            ++at;
            if (!skipSubBlocks())
                return false;
        } else if (block == 0x2C) {  // image descriptor, optional colour table, code size, data
            if (at + 9 > size)
                return false;
            at += 9 + colourTable(static_cast<uchar>(bytes[at + 8]));
            ++at;
            return skipSubBlocks();
        } else {
            return false;  // the trailer before any picture, or damage
        }
    }
    return false;
}

std::string UpperFormat(const char* format)
{
    std::string upper = format;
    for (char& c : upper)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return upper;
}

}  // namespace

QImage DecodeWithQt(const QByteArray& bytes, const char* format, const std::string& path)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    // The decoder is the one the extension names; a PNG called .bmp is not a bitmap.
    reader.setAutoDetectImageFormat(false);
    // Qt's own cap (128 MB in Qt 6.4) would refuse ordinary large photos; ours is the pixel limit.
    reader.setAllocationLimit(static_cast<int>((kMaxPicturePixels * 4 >> 20) + 1));
    if (!reader.canRead())
        ThrowLoadError(path, "not a valid " + UpperFormat(format) + " file");
    const QSize size = reader.size();
    if (size.isValid())
        CheckPictureSize(path, size.width(), size.height());
    if (std::strcmp(format, "bmp") == 0)
        CheckBitmap(bytes, path);
    if (std::strcmp(format, "gif") == 0 && !GifComplete(bytes))
        ThrowLoadError(path, "the file is truncated");
    QImage image;
    if (!reader.read(&image))
        ThrowLoadError(path, "cannot decode the " + UpperFormat(format) + " data (" +
                                 reader.errorString().toStdString() + ")");
    return NormalisePixels(image);
}
