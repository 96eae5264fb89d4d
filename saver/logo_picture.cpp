#include "saver/logo_picture.h"

#include "components/picture.h"

#include <QPainter>

std::optional<std::string> LogoPicture::load(const std::string& path)
{
    try {
        picture_ = LoadPicture(path).image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    } catch (const PictureError& error) {
        picture_ = QImage();
        std::string message = error.what();
        if (message.find(path) == std::string::npos)
            message = path + ": " + message;
        rescale();
        return message;
    }
    rescale();
    return std::nullopt;
}

void LogoPicture::setBounds(const QRect& bounds)
{
    bounds_ = bounds;
    rescale();
}

QRect LogoPicture::paintedArea() const
{
    return scaled_.isNull() ? QRect() : QRect(bounds_.topLeft(), scaled_.size());
}

void LogoPicture::paint(QPainter& painter) const
{
    if (!scaled_.isNull())
        painter.drawImage(bounds_.topLeft(), scaled_);
}

void LogoPicture::rescale()
{
    // Bounds of no size (a width or height of 0 or less in the settings) show nothing.
    if (picture_.isNull() || bounds_.width() <= 0 || bounds_.height() <= 0) {
        scaled_ = QImage();
        return;
    }
    scaled_ = picture_.scaled(bounds_.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
