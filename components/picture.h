#pragma once
// Pictures as the saver uses them: the background, the logo and label textures all come through
// one loader that picks the decoder from the file's extension.

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <span>
#include <stdexcept>
#include <string>

// What kind of file a picture came from; decides how it can be stored as a texture.
enum class PictureKind { None, Bitmap, Gif, Jpeg, Png, Icon, Metafile };

// A picture that could not be loaded or converted; what() says what failed and names the file.
class PictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A loaded picture: its pixels, what kind of file it came from, and (for JPEG) the file's bytes.
struct Picture {
    PictureKind kind = PictureKind::None;
    QImage image;            // decoded pixels; metafiles rendered at their natural size
    QByteArray sourceBytes;  // the file's bytes as loaded (JPEG is written back from these unchanged);
                             // kept only for JPEG, empty for the other kinds
    std::string sourcePath;
    bool isEmpty() const { return kind == PictureKind::None || image.isNull(); }
};

// Loads by extension; showSize, when valid, lets large JPEGs decode at a reduced scale (never
// below showSize). Throws PictureError.
Picture LoadPicture(const std::string& path, QSize showSize = QSize());

// The extensions LoadPicture understands, lower case without dot: png gif jpg jpeg bmp ico emf wmf.
std::span<const char* const> PictureExtensions();

// True when the file name ends in one of PictureExtensions(); letter case ignored.
bool HasPictureExtension(const std::string& fileName);
