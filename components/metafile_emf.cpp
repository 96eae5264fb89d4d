// Enhanced metafiles: a header record that states the drawing's frame, then records of
// (type, size) each, up to an end-of-file record.

#include "components/metafile.h"

#include "components/picture_loader.h"

#include <emf2svg.h>

#include <cmath>
#include <cstdlib>

namespace {

constexpr uint32_t kHeaderRecord = 1;
constexpr uint32_t kEndOfFileRecord = 14;
constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr qsizetype kHeaderMinimum = 88;

uint32_t U32(const QByteArray& bytes, qsizetype at)
{
    return ReadLittleEndian(bytes, at, 4);
}

int64_t I32(const QByteArray& bytes, qsizetype at)
{
    return static_cast<int32_t>(U32(bytes, at));
}

// Every record lies whole inside the file and the last one ends the drawing.
void CheckRecords(const QByteArray& bytes, const std::string& path)
{
    if (bytes.size() < kHeaderMinimum || U32(bytes, 0) != kHeaderRecord ||
        U32(bytes, 40) != kEmfSignature)
        ThrowLoadError(path, "not a valid EMF file");
    qsizetype at = 0;
    while (at + 8 <= bytes.size()) {
        const uint32_t type = U32(bytes, at);
        const uint32_t size = U32(bytes, at + 4);
        if (size < 8 || size % 4 != 0 || size > static_cast<uint64_t>(bytes.size() - at))
            ThrowLoadError(path, size > static_cast<uint64_t>(bytes.size() - at)
                                     ? "the file is truncated"
                                     : "the EMF records are damaged");
        if (type == kEndOfFileRecord)
            return;
        at += size;
    }
    ThrowLoadError(path, "the file is truncated");
}

// The natural size: the frame (in 0.01 mm) at screen resolution, or the bounds in device
// pixels when a writer left the frame empty.
QSize NaturalSize(const QByteArray& bytes, const std::string& path)
{
    const double frameWidth = static_cast<double>(I32(bytes, 32) - I32(bytes, 24));
    const double frameHeight = static_cast<double>(I32(bytes, 36) - I32(bytes, 28));
    double width = std::round(frameWidth * kMetafileDotsPerInch / 2540.0);
    double height = std::round(frameHeight * kMetafileDotsPerInch / 2540.0);
    if (width <= 0 || height <= 0) {
        width = static_cast<double>(I32(bytes, 16) - I32(bytes, 8) + 1);
        height = static_cast<double>(I32(bytes, 20) - I32(bytes, 12) + 1);
    }
    CheckPictureSize(path, static_cast<int64_t>(width), static_cast<int64_t>(height));
    return QSize(static_cast<int>(width), static_cast<int>(height));
}

}  // namespace

QImage RenderEmf(const QByteArray& bytes, const std::string& path)
{
    CheckRecords(bytes, path);
    const QSize size = NaturalSize(bytes, path);

    char nameSpace[] = "";
    generatorOptions options{};
    options.nameSpace = nameSpace;
    options.svgDelimiter = true;
    options.emfplus = true;
    options.imgWidth = size.width();
    options.imgHeight = size.height();
    QByteArray input = bytes;  // the converter takes a mutable buffer
    char* svg = nullptr;
    size_t svgLength = 0;
    const int converted = emf2svg(input.data(), static_cast<size_t>(input.size()), &svg,
                                  &svgLength, &options);
    const QByteArray document(svg, svg ? static_cast<qsizetype>(svgLength) : 0);
    std::free(svg);
    if (!converted || document.isEmpty())
        ThrowLoadError(path, "the EMF drawing could not be converted");
    return RenderSvgDocument(document, size, path);
}
