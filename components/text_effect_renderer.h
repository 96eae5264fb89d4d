#pragma once

#include "components/label_style.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

// The Qt font of a label font: the face through the substitution table, the size in points at
// 96 pixels per inch (the resolution the saver's layout was made for), and the style set.
QFont LabelQFont(const LabelFont& font);

// Renders one line of text with the font and every effect of the style into a premultiplied ARGB
// image exactly as large as the result: the glyphs with their blur and spray margins, the shadow at
// its offset and the box of the rotated text. A transparent rendering holds only the text and its
// shadow; otherwise the whole image is first filled with the background colour.
QImage RenderStyledText(const QString& text, const LabelFont& font, const TextEffect& effect,
                        bool transparent, const QColor& background);
