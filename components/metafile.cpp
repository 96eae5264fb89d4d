#include "components/metafile.h"

#include "components/picture_loader.h"

#include <QPainter>
#include <QSvgRenderer>

QImage RenderSvgDocument(const QByteArray& svg, QSize size, const std::string& path)
{
    CheckPictureSize(path, size.width(), size.height());
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        ThrowLoadError(path, "the drawing could not be rendered");
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        ThrowLoadError(path, "not enough memory for the picture");
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}
