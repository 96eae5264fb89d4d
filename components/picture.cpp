#include "components/picture.h"

#include "components/jpeg_codec.h"
#include "components/metafile.h"
#include "components/picture_loader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace {

// Every extension the loader knows and the kind of picture it holds.
struct ExtensionKind {
    const char* extension;
    PictureKind kind;
};
constexpr std::array<ExtensionKind, 8> kExtensionKinds = {{
    {"png", PictureKind::Png},
    {"gif", PictureKind::Gif},
    {"jpg", PictureKind::Jpeg},
    {"jpeg", PictureKind::Jpeg},
    {"bmp", PictureKind::Bitmap},
    {"ico", PictureKind::Icon},
    {"emf", PictureKind::Metafile},
    {"wmf", PictureKind::Metafile},
}};

constexpr auto kExtensions = [] {
    std::array<const char*, kExtensionKinds.size()> extensions{};
    for (size_t i = 0; i < extensions.size(); ++i)
        extensions[i] = kExtensionKinds[i].extension;
    return extensions;
}();

// The extension after the last dot of the name (not of a folder), lower case; empty if none.
std::string LowerExtension(const std::string& fileName)
{
    const std::string name = std::filesystem::path(fileName).filename().string();
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return {};
    std::string extension = name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

PictureKind KindOfExtension(std::string_view extension)
{
    for (const ExtensionKind& known : kExtensionKinds)
        if (extension == known.extension)
            return known.kind;
    return PictureKind::None;
}

QByteArray ReadWholeFile(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        ThrowLoadError(path, std::filesystem::exists(path, error) ? "not a file" : "no such file");
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        ThrowLoadError(path, "cannot read the file (" + error.message() + ")");
    if (size == 0)
        ThrowLoadError(path, "the file is empty");
    if (size > static_cast<uintmax_t>(kMaxPictureFileBytes))
        ThrowLoadError(path, "the file is too large for a picture");
    std::ifstream in(path, std::ios::binary);
    QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (!in.read(bytes.data(), bytes.size()))
        ThrowLoadError(path, "cannot read the file");
    return bytes;
}

}  // namespace

std::span<const char* const> PictureExtensions()
{
    return kExtensions;
}

bool HasPictureExtension(const std::string& fileName)
{
    return KindOfExtension(LowerExtension(fileName)) != PictureKind::None;
}

Picture LoadPicture(const std::string& path, QSize showSize)
{
    const std::string extension = LowerExtension(path);
    const PictureKind kind = KindOfExtension(extension);
    if (kind == PictureKind::None)
        ThrowLoadError(path, "unknown picture file extension");

    const QByteArray bytes = ReadWholeFile(path);
    Picture picture;
    picture.kind = kind;
    picture.sourcePath = path;
    switch (kind) {
    case PictureKind::Jpeg:
        picture.image = DecodeJpeg(bytes, path, showSize);
        // Kept only for JPEG: its texture file is these bytes, unchanged.
        picture.sourceBytes = bytes;
        break;
    case PictureKind::Metafile:
        picture.image = extension == "emf" ? RenderEmf(bytes, path) : RenderWmf(bytes, path);
        break;
    default:
        picture.image = DecodeWithQt(bytes, extension.c_str(), path);
        break;
    }
    return picture;
}
