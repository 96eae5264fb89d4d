#include "components/jpeg_codec.h"

#include "components/picture_loader.h"

#include <QPainter>
#include <QSysInfo>

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE declared first
#include <cstdlib>

#include <jerror.h>
#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through a callback that must not return; we jump back to the
// call that started the work and turn the message into a PictureError there. Only plain C data
// lives between the jump target and the jump, so no destructor is skipped.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = {};
    // The encoder's output buffer, here rather than in a local so that the error path sees it.
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
};

[[noreturn]] void OnFatalError(j_common_ptr info)
{
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings are mostly about small damage that decoders have always shown anyway; running out of
// data is not: libjpeg would fill the rest of the picture with grey and call it a success.
void OnMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return;  // trace messages
    if (info->err->msg_code == JWRN_JPEG_EOF) {
        auto* errors = reinterpret_cast<JpegErrors*>(info->err);
        std::snprintf(errors->message, sizeof errors->message,
                      "the file is truncated (the JPEG data ends early)");
        std::longjmp(errors->jump, 1);
    }
    info->err->num_warnings++;
}

void InstallErrors(JpegErrors& errors)
{
    jpeg_std_error(&errors.manager);
    errors.manager.error_exit = OnFatalError;
    errors.manager.emit_message = OnMessage;
}

// libjpeg-turbo writes pixels straight in QImage's 32-bit layout (0xffRRGGBB in native order).
constexpr J_COLOR_SPACE kRgb32Space =
    QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;

// Working memory libjpeg may take besides the picture itself (a progressive file keeps all its
// coefficients); a header claiming more is refused before anything is allocated.
constexpr long kMaxJpegWorkBytes = 1L << 30;

// CMYK rows arrive four bytes per pixel, the width of the 32-bit pixels they become; Adobe
// writers store the channels inverted.
void CmykRowToRgb32(uchar* row, int width, bool inverted)
{
    QRgb* out = reinterpret_cast<QRgb*>(row);
    for (int x = 0; x < width; ++x) {
        int c = row[4 * x], m = row[4 * x + 1], y = row[4 * x + 2], k = row[4 * x + 3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

// The reduction n/8 that gives the smallest picture still covering showSize, by asking libjpeg
// what each n would give (it rounds up and knows which factors it supports).
void ChooseScale(jpeg_decompress_struct& info, QSize showSize)
{
    if (!showSize.isValid() || showSize.isEmpty())
        return;
    for (unsigned n = 1; n < 8; ++n) {
        info.scale_num = n;
        info.scale_denom = 8;
        jpeg_calc_output_dimensions(&info);
        if (info.output_width >= static_cast<JDIMENSION>(showSize.width()) &&
            info.output_height >= static_cast<JDIMENSION>(showSize.height()))
            return;
    }
    info.scale_num = 1;
    info.scale_denom = 1;
}

bool FitsPixelLimit(int64_t width, int64_t height)
{
    return width > 0 && height > 0 && width <= kMaxPicturePixels / height;
}

QImage FlattenOnWhite(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QImage source = image;
    source.setDevicePixelRatio(1.0);
    QPainter painter(&flat);
    painter.drawImage(0, 0, source);
    return flat;
}

const char* KindName(PictureKind kind)
{
    switch (kind) {
    case PictureKind::Png: return "A PNG picture";
    case PictureKind::Icon: return "An icon";
    case PictureKind::Metafile: return "A metafile";
    default: return "This picture";
    }
}

}  // namespace

QImage DecodeJpeg(const QByteArray& bytes, const std::string& path, QSize showSize)
{
    jpeg_decompress_struct info{};
    JpegErrors errors;
    InstallErrors(errors);
    info.err = &errors.manager;
    QImage image;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        ThrowLoadError(path, errors.message);
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kMaxJpegWorkBytes;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    // The file's own size is held to the limit even when it will be reduced: a header is cheap
    // to forge, and what a forged one claims is not worth decoding.
    if (!FitsPixelLimit(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        CheckPictureSize(path, info.image_width, info.image_height);
    }

    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : kRgb32Space;
    ChooseScale(info, showSize);
    jpeg_calc_output_dimensions(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                   QImage::Format_RGB32);
    if (image.isNull()) {
        jpeg_destroy_decompress(&info);
        ThrowLoadError(path, "not enough memory for the picture");
    }

    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
        if (cmyk)
            CmykRowToRgb32(row, image.width(), info.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

QByteArray EncodeJpeg(const QImage& image, int quality)
{
    if (image.isNull())
        throw PictureError("Cannot encode an empty picture as JPEG");
    const QImage pixels = FlattenOnWhite(image);

    jpeg_compress_struct info{};
    JpegErrors errors;
    InstallErrors(errors);
    info.err = &errors.manager;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::free(errors.output);
        throw PictureError(std::string("Cannot encode the picture as JPEG: ") + errors.message);
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &errors.output, &errors.outputSize);
    info.image_width = static_cast<JDIMENSION>(pixels.width());
    info.image_height = static_cast<JDIMENSION>(pixels.height());
    info.input_components = 4;
    info.in_color_space = kRgb32Space;
    // The defaults are a baseline, sequential YCbCr file with the standard Huffman tables; the
    // quality only scales the standard quantisation tables, kept within baseline's 8 bits.
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uchar*>(pixels.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray encoded(reinterpret_cast<const char*>(errors.output),
                       static_cast<qsizetype>(errors.outputSize));
    std::free(errors.output);
    return encoded;
}

QByteArray PictureToJpeg(const Picture& picture)
{
    const std::string named = picture.sourcePath.empty() ? "" : " \"" + picture.sourcePath + "\"";
    switch (picture.kind) {
    case PictureKind::None:
        throw PictureError("There is no picture to convert to JPEG");
    case PictureKind::Jpeg:
        // A JPEG is kept exactly as it came; only one made in memory has to be encoded.
        if (!picture.sourceBytes.isEmpty())
            return picture.sourceBytes;
        [[fallthrough]];
    case PictureKind::Bitmap:
    case PictureKind::Gif:
        if (picture.image.isNull())
            throw PictureError("The picture" + named + " has no pixels to convert to JPEG");
        return EncodeJpeg(picture.image, 90);
    case PictureKind::Png:
    case PictureKind::Icon:
    case PictureKind::Metafile:
        break;
    }
    throw PictureError(std::string(KindName(picture.kind)) + named + " cannot be converted to JPEG");
}
