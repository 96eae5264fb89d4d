#include "components/styled_label.h"

#include "components/text_effect_renderer.h"

#include <QPainter>

StyledLabel::StyledLabel() = default;

void StyledLabel::setText(const QString& text)
{
    // The calendar line is set every two seconds, mostly to the same text: keep the rendering.
    if (text == text_)
        return;
    text_ = text;
    invalidate();
}

void StyledLabel::setFont(const LabelFont& font)
{
    font_ = font;
    invalidate();
}

void StyledLabel::setEffect(const TextEffect& effect)
{
    effect_ = effect;
    invalidate();
}

void StyledLabel::setTransparent(bool transparent)
{
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    invalidate();
}

void StyledLabel::setBackground(QColor colour)
{
    if (colour == background_)
        return;
    background_ = colour;
    if (!transparent_)
        invalidate();
}

int StyledLabel::width() const
{
    return image().width();
}

int StyledLabel::height() const
{
    return image().height();
}

void StyledLabel::paint(QPainter& painter) const
{
    painter.drawImage(QPoint(left_, top_), image());
}

const QImage& StyledLabel::image() const
{
    if (stale_) {
        image_ = RenderStyledText(text_, font_, effect_, transparent_, background_);
        stale_ = false;
    }
    return image_;
}

void StyledLabel::invalidate()
{
    stale_ = true;
}
