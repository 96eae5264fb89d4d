#include "settings/about_tab.h"

#include "settings/setup_tab.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>

QPixmap ProductIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const qreal s = size;
    const QRectF page(s * 0.06, s * 0.10, s * 0.88, s * 0.84);
    const qreal radius = s * 0.12;

    // The page with a soft drop shadow.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawRoundedRect(page.translated(s * 0.03, s * 0.03), radius, radius);
    painter.setBrush(QColor(250, 250, 246));
    painter.drawRoundedRect(page, radius, radius);

    // The red binding strip across the top, clipped to the page's rounded corners.
    QPainterPath pagePath;
    pagePath.addRoundedRect(page, radius, radius);
    painter.save();
    painter.setClipPath(pagePath);
    painter.fillRect(QRectF(page.left(), page.top(), page.width(), page.height() * 0.30),
                     QColor(200, 38, 38));
    painter.restore();

    // Two rings holding the page.
    painter.setBrush(QColor(70, 70, 70));
    for (const qreal x : {0.30, 0.70})
        painter.drawRoundedRect(QRectF(s * x - s * 0.04, s * 0.03, s * 0.08, s * 0.16), s * 0.04,
                                s * 0.04);

    // The day that is being counted.
    QFont font;
    font.setBold(true);
    font.setPixelSize(qMax(6, int(s * 0.40)));
    painter.setFont(font);
    painter.setPen(QColor(40, 40, 40));
    const QRectF body(page.left(), page.top() + page.height() * 0.30, page.width(),
                      page.height() * 0.70);
    painter.drawText(body, Qt::AlignCenter, QStringLiteral("365"));

    // The page outline.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(120, 120, 120), qMax(1.0, s / 55.0)));
    painter.drawRoundedRect(page, radius, radius);
    return pixmap;
}

AboutTab::AboutTab(QWidget* parent) : QWidget(parent)
{
    auto* Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 16, 55, 55);
    Image1->setPixmap(ProductIcon(55));

    PlaceLabel(this, "lbl10", QStringLiteral("Tarnik计时器屏保 Ver1.3"), 85, 18);
}
