#pragma once
// The decoders behind LoadPicture and the limits they share (JPEG is in jpeg_codec.h, the
// metafiles in metafile.h). A picture file comes from a folder the user fills, so every decoder
// checks the size a header claims before it allocates anything and fails with a PictureError
// that names the file.

#include "components/picture.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <cstdint>
#include <string>

// The largest picture we decode: 120 megapixels (about 460 MB as 32-bit pixels) covers the
// largest camera photos; a header that claims more is taken as hostile.
inline constexpr int64_t kMaxPicturePixels = 120'000'000;
// The largest file we read into memory at all.
inline constexpr int64_t kMaxPictureFileBytes = int64_t{512} << 20;

// Throws the PictureError for a file that could not be loaded: the reason and the file's path.
[[noreturn]] void ThrowLoadError(const std::string& path, const std::string& reason);

// Throws unless width × height is a real picture within kMaxPicturePixels.
void CheckPictureSize(const std::string& path, int64_t width, int64_t height);

// png, gif, bmp and ico through Qt's image reader for exactly that format (the file's content
// does not choose another decoder).
QImage DecodeWithQt(const QByteArray& bytes, const char* format, const std::string& path);

// The unsigned little-endian number of size bytes (1 to 4) at offset at; the caller has checked
// that the bytes are there.
uint32_t ReadLittleEndian(const QByteArray& bytes, qsizetype at, int size);

// Pixels as every user of a picture expects them: 32-bit, premultiplied when there is alpha.
QImage NormalisePixels(QImage image);
