#include "bench/bench_photo.h"

#include "components/jpeg_codec.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <random>

const QByteArray& PhotoJpeg6000x4000()
{
    static const QByteArray jpeg = [] {
        QImage picture(6000, 4000, QImage::Format_RGB32);
        {
            QPainter painter(&picture);
            QLinearGradient gradient(0, 0, 6000, 4000);
            gradient.setColorAt(0, QColor(30, 90, 160));
            gradient.setColorAt(1, QColor(220, 190, 120));
            painter.fillRect(picture.rect(), gradient);
        }
        std::mt19937 engine(24);
        for (int y = 0; y < picture.height(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                row[x] += engine() & 0x070707;
        }
        return EncodeJpeg(picture, 90);
    }();
    return jpeg;
}
