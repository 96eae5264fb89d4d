#pragma once

#include "components/label_style.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;

// An anti-aliased text label with effects, drawn by its owner window. It sizes itself to its
// rendering and keeps its left edge when the text or the style changes.
class StyledLabel {
public:
    StyledLabel();

    void setText(const QString& text);
    const QString& text() const { return text_; }
    void setFont(const LabelFont& font);
    const LabelFont& font() const { return font_; }
    void setEffect(const TextEffect& effect);
    const TextEffect& effect() const { return effect_; }

    // false: the label fills its box with background(); true: only the text is drawn.
    void setTransparent(bool transparent);
    bool transparent() const { return transparent_; }
    void setBackground(QColor colour);
    QColor background() const { return background_; }

    int left() const { return left_; }
    int top() const { return top_; }
    void setLeft(int left) { left_ = left; }
    void setTop(int top) { top_ = top; }
    void moveTo(int left, int top) { left_ = left; top_ = top; }
    int width() const;
    int height() const;
    QRect geometry() const { return QRect(left_, top_, width(), height()); }

    // Draws the cached rendering at geometry().
    void paint(QPainter& painter) const;
    // The cached rendering (premultiplied ARGB), made again only after the text or style changed.
    const QImage& image() const;

private:
    void invalidate();

    QString text_;
    LabelFont font_;
    TextEffect effect_;
    bool transparent_ = true;
    QColor background_ = Qt::white;
    int left_ = 0;
    int top_ = 0;
    mutable QImage image_;
    mutable bool stale_ = true;
};
