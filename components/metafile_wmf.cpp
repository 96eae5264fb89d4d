// Old-style metafiles: an optional placeable header (with the drawing's bounds and units per
// inch), a metafile header, then records of (size in 16-bit words, function) up to a record
// with function 0.

#include "components/metafile.h"

#include "components/picture_loader.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <libwmf/api.h>
#include <libwmf/svg.h>

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr qsizetype kPlaceableHeaderBytes = 22;
constexpr qsizetype kMetaHeaderBytes = 18;
constexpr uint32_t kMinimumRecordWords = 3;

// Named so as not to meet libwmf's U16 and U32 type macros.
uint32_t Word(const QByteArray& bytes, qsizetype at)
{
    return ReadLittleEndian(bytes, at, 2);
}

uint32_t DoubleWord(const QByteArray& bytes, qsizetype at)
{
    return ReadLittleEndian(bytes, at, 4);
}

// Every record lies whole inside the file and the last one ends the drawing.
void CheckRecords(const QByteArray& bytes, const std::string& path)
{
    qsizetype at = 0;
    if (bytes.size() >= 4 && DoubleWord(bytes, 0) == kPlaceableKey)
        at = kPlaceableHeaderBytes;
    if (bytes.size() < at + kMetaHeaderBytes)
        ThrowLoadError(path, bytes.size() >= 4 && at > 0 ? "the file is truncated"
                                                         : "not a valid WMF file");
    const uint32_t type = Word(bytes, at), headerWords = Word(bytes, at + 2);
    if ((type != 1 && type != 2) || headerWords != kMetaHeaderBytes / 2)
        ThrowLoadError(path, "not a valid WMF file");
    at += kMetaHeaderBytes;
    while (at + 6 <= bytes.size()) {
        const uint64_t recordBytes = uint64_t{DoubleWord(bytes, at)} * 2;
        const uint32_t function = Word(bytes, at + 4);
        if (recordBytes < kMinimumRecordWords * 2)
            ThrowLoadError(path, "the WMF records are damaged");
        if (recordBytes > static_cast<uint64_t>(bytes.size() - at))
            ThrowLoadError(path, "the file is truncated");
        if (function == 0)
            return;
        at += static_cast<qsizetype>(recordBytes);
    }
    ThrowLoadError(path, "the file is truncated");
}

// One libwmf session, destroyed with everything it allocated.
struct WmfSession {
    wmfAPI* api = nullptr;
    ~WmfSession()
    {
        if (api)
            wmf_api_destroy(api);
    }
};

// An in-memory FILE for libwmf's SVG output, which it writes line by line.
struct MemoryFile {
    char* buffer = nullptr;
    size_t size = 0;
    FILE* file = open_memstream(&buffer, &size);
    QByteArray take()
    {
        if (file)
            std::fclose(file);
        file = nullptr;
        return QByteArray(buffer, static_cast<qsizetype>(size));
    }
    ~MemoryFile()
    {
        if (file)
            std::fclose(file);
        std::free(buffer);
    }
};

// libwmf's device units are points measured from the drawing's top left corner. A placeable
// header states the drawing's frame, margins included, and the picture is that frame; without
// one, the picture is what the records actually draw.
wmfD_Rect DrawingFrame(const QByteArray& bytes, const wmfD_Rect& drawn)
{
    if (DoubleWord(bytes, 0) != kPlaceableKey)
        return drawn;
    const auto signedWord = [&](qsizetype at) { return static_cast<int16_t>(Word(bytes, at)); };
    const int width = std::abs(signedWord(10) - signedWord(6));
    const int height = std::abs(signedWord(12) - signedWord(8));
    const uint32_t unitsPerInch = Word(bytes, 14);
    if (width == 0 || height == 0 || unitsPerInch == 0)
        return drawn;
    wmfD_Rect frame{};
    frame.BR.x = static_cast<float>(width * 72.0 / unitsPerInch);
    frame.BR.y = static_cast<float>(height * 72.0 / unitsPerInch);
    return frame;
}

std::string WmfReason(wmf_error_t error)
{
    switch (error) {
    case wmf_E_InsMem: return "not enough memory for the drawing";
    case wmf_E_EOF: return "the file is truncated";
    case wmf_E_BadFormat: return "the WMF data is damaged";
    default: return "the WMF drawing could not be converted";
    }
}

}  // namespace

QImage RenderWmf(const QByteArray& bytes, const std::string& path)
{
    CheckRecords(bytes, path);

    WmfSession session;
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&session.api, flags, &options) != wmf_E_None)
        ThrowLoadError(path, "the WMF converter could not start");
    QByteArray input = bytes;  // libwmf reads from a mutable buffer
    wmf_error_t error = wmf_mem_open(session.api, reinterpret_cast<unsigned char*>(input.data()),
                                     static_cast<long>(input.size()));
    wmfD_Rect bounds{};
    if (error == wmf_E_None)
        error = wmf_scan(session.api, 0, &bounds);
    unsigned int width = 0, height = 0;
    if (error == wmf_E_None)
        error = wmf_display_size(session.api, &width, &height, kMetafileDotsPerInch,
                                 kMetafileDotsPerInch);
    if (error != wmf_E_None)
        ThrowLoadError(path, WmfReason(error));
    CheckPictureSize(path, width, height);

    MemoryFile output;
    if (!output.file)
        ThrowLoadError(path, "not enough memory for the drawing");
    wmf_svg_t* device = WMF_SVG_GetData(session.api);
    device->out = wmf_stream_create(session.api, output.file);
    if (!device->out)
        ThrowLoadError(path, "not enough memory for the drawing");
    char description[] = "";
    device->Description = description;
    device->bbox = DrawingFrame(bytes, bounds);
    device->width = width;
    device->height = height;
    error = wmf_play(session.api, 0, &bounds);
    // The stream is left to wmf_api_destroy, which frees all libwmf memory: closing a FILE
    // stream with wmf_stream_destroy writes through a null pointer.
    if (error != wmf_E_None)
        ThrowLoadError(path, WmfReason(error));
    return RenderSvgDocument(output.take(), QSize(static_cast<int>(width), static_cast<int>(height)),
                             path);
}
