#include "components/text_effect_renderer.h"

#include "components/coverage_mask.h"
#include "components/effect_random.h"
#include "components/font_substitution.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// Sizes come from the settings file unchecked; these bounds keep a stray value from asking for
// images larger than any screen can show or than memory can hold.
constexpr int kMaxPixelSize = 1000;
constexpr int kMaxSide = 8192;  // four screens wide; a rotated box at most 256 MB

int PixelSize(int points)
{
    const double pixels = std::abs(double(points)) * 96.0 / 72.0;
    return std::clamp(int(std::lround(pixels)), 1, kMaxPixelSize);
}

// Effect strengths scale with the glyphs so that a style looks alike at every size.
int BlurRadius(int strength, int pixelSize)
{
    return strength <= 0 ? 0 : std::max(1, int(std::lround(strength * pixelSize / 1600.0)));
}

int SprayRadius(int spray, int pixelSize)
{
    return spray <= 0 ? 0 : std::max(1, int(std::lround(spray * pixelSize / 1020.0)));
}

int OutlineWidth(int pixelSize)
{
    return std::max(1, pixelSize / 32);
}

int Percent(uint8_t value)
{
    return std::min<int>(value, 100);
}

// The glyph coverage of the text with `pad` empty pixels around its line box.
QImage DrawGlyphs(const QString& text, const QFont& font, int pad)
{
    const QFontMetricsF metrics(font);
    QRectF box(0, 0, metrics.horizontalAdvance(text), metrics.height());
    if (!text.isEmpty())  // italic overhang and tall marks reach beyond the advance box
        box |= metrics.boundingRect(text).translated(0, metrics.ascent());
    const QRect textRect = box.toAlignedRect();

    // Qt draws text into 32-bit images far faster than into 8-bit ones; the alpha is taken after.
    QImage glyphs(std::clamp(textRect.width() + 2 * pad, 1, kMaxSide),
                  std::clamp(textRect.height() + 2 * pad, 1, kMaxSide),
                  QImage::Format_ARGB32_Premultiplied);
    glyphs.fill(Qt::transparent);
    QPainter painter(&glyphs);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 255));
    painter.drawText(QPointF(pad - textRect.left(), pad - textRect.top() + metrics.ascent()), text);
    painter.end();
    return glyphs.convertToFormat(QImage::Format_Alpha8);
}

QRgb Mix(QRgb from, QRgb to, double t)
{
    auto channel = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return qRgb(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)),
                channel(qBlue(from), qBlue(to)));
}

// Where along the gradient each pixel of one axis lies: 0 is the start colour, 1 the end colour.
std::vector<QRgb> GradientRamp(int length, int spanStart, int spanLength, bool reversed, bool fromCentre,
                               QRgb start, QRgb end)
{
    std::vector<QRgb> ramp(size_t(std::max(length, 0)));
    const double span = std::max(spanLength, 1);
    for (int i = 0; i < length; ++i) {
        const double centre = i + 0.5 - spanStart;
        double t = fromCentre ? std::abs(centre - span / 2) / (span / 2)
                              : (spanLength > 1 ? (i - spanStart) / (span - 1) : 0.0);
        t = std::clamp(t, 0.0, 1.0);
        ramp[size_t(i)] = Mix(start, end, reversed ? 1.0 - t : t);
    }
    return ramp;
}

void PaintGradient(QImage& fill, const QRect& textRect, const GradualEffect& gradual)
{
    const QRgb start = ColorFromWindows(gradual.StartColor).rgb();
    const QRgb end = ColorFromWindows(gradual.EndColor).rgb();
    const bool horizontal = gradual.Style == gsLeftToRight || gradual.Style == gsRightToLeft ||
                            gradual.Style == gsCenterToLR;
    const bool reversed = gradual.Style == gsRightToLeft || gradual.Style == gsBottomToTop;
    const bool fromCentre = gradual.Style == gsCenterToLR || gradual.Style == gsCenterToTB;
    if (horizontal) {
        const auto ramp = GradientRamp(fill.width(), textRect.left(), textRect.width(), reversed,
                                       fromCentre, start, end);
        for (int y = 0; y < fill.height(); ++y)
            std::copy(ramp.begin(), ramp.end(), reinterpret_cast<QRgb*>(fill.scanLine(y)));
    } else {
        const auto ramp = GradientRamp(fill.height(), textRect.top(), textRect.height(), reversed,
                                       fromCentre, start, end);
        for (int y = 0; y < fill.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(fill.scanLine(y));
            std::fill(line, line + fill.width(), ramp[size_t(y)]);
        }
    }
}

void PaintTexture(QImage& fill, const QRect& textRect, const QImage& picture, uint8_t mode)
{
    QPainter painter(&fill);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    switch (mode) {
    case tmStretched:
        painter.drawImage(textRect, picture);
        break;
    case tmCenter:
        painter.drawImage(QPoint(textRect.left() + (textRect.width() - picture.width()) / 2,
                                 textRect.top() + (textRect.height() - picture.height()) / 2),
                          picture);
        break;
    case tmNormal:
        painter.drawImage(textRect.topLeft(), picture);
        break;
    default: {  // tiled, from the text's top-left corner
        QBrush brush(picture);
        brush.setTransform(QTransform::fromTranslate(textRect.left(), textRect.top()));
        painter.fillRect(fill.rect(), brush);
        break;
    }
    }
}

// The colour under every pixel of the text before coverage applies: texture over gradient over
// the font's plain colour. A null image when the plain colour alone fills the text.
QImage MakeFill(const QImage& mask, const TextEffect& effect, QRgb plain)
{
    const bool gradient = effect.Gradual.Enabled;
    const bool texture = effect.Texture.Enabled && !effect.Texture.Picture.isEmpty();
    // Gradients and textures span the ink, so their first and last colours show on the glyphs and
    // not in the empty part of the line.
    const QRect inkBox = CoveredBox(mask);
    if ((!gradient && !texture) || inkBox.isEmpty())
        return QImage();
    QImage fill(mask.size(), QImage::Format_RGB32);
    if (gradient)
        PaintGradient(fill, inkBox, effect.Gradual);
    else
        fill.fill(plain);
    if (texture)
        PaintTexture(fill, inkBox, effect.Texture.Picture.image, effect.Texture.Mode);
    return fill;
}

// c * a / 255, rounded, for 8-bit values.
inline uint32_t Scale(uint32_t c, uint32_t a)
{
    const uint32_t t = c * a + 128;
    return (t + (t >> 8)) >> 8;
}

inline QRgb Premultiplied(int r, int g, int b, uint32_t alpha)
{
    return alpha << 24 | Scale(uint32_t(r), alpha) << 16 | Scale(uint32_t(g), alpha) << 8 |
           Scale(uint32_t(b), alpha);
}

// The coloured text: fill (or the plain colour) times coverage times opacity, with noise dots of
// random brightness.
QImage ColourText(const QImage& mask, const QImage& fill, QRgb plain, int alphaPercent, int noise,
                  uint64_t seed)
{
    QImage text(mask.size(), QImage::Format_ARGB32_Premultiplied);
    text.fill(Qt::transparent);
    const QRect covered = CoveredBox(mask);
    EffectRandom random(seed);
    const uint64_t span = uint64_t(2 * noise + 1);
    uint32_t opacity[256];  // coverage times opacity, without a division per pixel
    for (uint32_t c = 0; c < 256; ++c)
        opacity[c] = (c * uint32_t(alphaPercent) + 50) / 100;
    for (int y = covered.top(); y <= covered.bottom(); ++y) {
        const uchar* coverage = mask.constScanLine(y);
        const QRgb* colour = fill.isNull() ? nullptr : reinterpret_cast<const QRgb*>(fill.constScanLine(y));
        QRgb* out = reinterpret_cast<QRgb*>(text.scanLine(y));
        for (int x = covered.left(); x <= covered.right(); ++x) {
            const uint32_t alpha = opacity[coverage[x]];
            if (alpha == 0) {
                out[x] = 0;
                continue;
            }
            const QRgb c = colour ? colour[x] : plain;
            int r = qRed(c), g = qGreen(c), b = qBlue(c);
            if (noise > 0) {
                const int delta = int((random.next() * span) >> 32) - noise;
                r = std::clamp(r + delta, 0, 255);
                g = std::clamp(g + delta, 0, 255);
                b = std::clamp(b + delta, 0, 255);
            }
            out[x] = Premultiplied(r, g, b, alpha);
        }
    }
    return text;
}

QImage ColourShadow(const QImage& mask, QColor colour, int alphaPercent)
{
    QImage shadow(mask.size(), QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    const QRect covered = CoveredBox(mask);
    // One colour at 256 coverages: a table instead of a division and three products per pixel.
    const QRgb rgb = colour.rgb();
    QRgb shade[256];
    for (uint32_t c = 0; c < 256; ++c)
        shade[c] = Premultiplied(qRed(rgb), qGreen(rgb), qBlue(rgb), (c * uint32_t(alphaPercent) + 50) / 100);
    for (int y = covered.top(); y <= covered.bottom(); ++y) {
        const uchar* coverage = mask.constScanLine(y);
        QRgb* out = reinterpret_cast<QRgb*>(shadow.scanLine(y));
        for (int x = covered.left(); x <= covered.right(); ++x)
            out[x] = shade[coverage[x]];
    }
    return shadow;
}

uint64_t EffectSeed(const QString& text, int pixelSize, const TextEffect& effect)
{
    return (uint64_t(qHash(text)) << 16) ^ uint64_t(pixelSize) << 8 ^ effect.Spray ^
           uint64_t(effect.Noise) << 40;
}

}  // namespace

QFont LabelQFont(const LabelFont& font)
{
    QFont qfont(SubstituteFontFamily(QString::fromStdString(font.Name)));
    qfont.setPixelSize(PixelSize(font.Size));
    qfont.setBold(font.Style.bold);
    qfont.setItalic(font.Style.italic);
    qfont.setUnderline(font.Style.underline);
    qfont.setStrikeOut(font.Style.strikeOut);
    qfont.setStyleStrategy(QFont::PreferAntialias);
    return qfont;
}

QImage RenderStyledText(const QString& text, const LabelFont& font, const TextEffect& effect,
                        bool transparent, const QColor& background)
{
    const QFont qfont = LabelQFont(font);
    const int pixelSize = qfont.pixelSize();
    const int blur = BlurRadius(effect.Blur, pixelSize);
    const int spray = SprayRadius(effect.Spray, pixelSize);
    const bool shadowOn = effect.Shadow.Enabled;
    const int shadowBlur = shadowOn ? BlurRadius(effect.Shadow.Blur, pixelSize) : 0;
    // Three box passes spread coverage up to three radii; the spray moves it up to its radius.
    const int pad = 1 + 3 * blur + spray + 3 * shadowBlur;
    const uint64_t seed = EffectSeed(text, pixelSize, effect);

    QImage mask = DrawGlyphs(text, qfont, pad);
    if (effect.Outline)
        OutlineMask(mask, OutlineWidth(pixelSize));
    SprayMask(mask, spray, seed);
    BoxBlurMask(mask, blur);
    if (effect.HorzMirror || effect.VertMirror)
        mask = mask.mirrored(effect.HorzMirror, effect.VertMirror);

    const QRgb plain = ColorFromWindows(font.Color).rgb();
    const QImage fill = MakeFill(mask, effect, plain);
    QImage textImage = ColourText(mask, fill, plain, Percent(effect.Alpha), effect.Noise, seed);
    QImage shadowImage;
    if (shadowOn) {
        QImage shadowMask = mask.copy();
        BoxBlurMask(shadowMask, shadowBlur);
        shadowImage = ColourShadow(shadowMask, ColorFromWindows(effect.Shadow.Color),
                                   Percent(effect.Shadow.Alpha));
    }

    const int angle = effect.Angle % 360;
    if (angle == 0 && !shadowOn) {  // the common case: the coloured text is the whole rendering
        if (!transparent) {
            QPainter painter(&textImage);
            painter.setCompositionMode(QPainter::CompositionMode_DestinationOver);
            painter.fillRect(textImage.rect(), background);
        }
        return textImage;
    }

    // Rotation is counter-clockwise on the screen, like a font's escapement; Qt's y axis points
    // down, so that is a negative angle to QTransform.
    QTransform rotation;
    if (angle != 0)
        rotation.rotate(-angle);
    const QRect textBounds = rotation.mapRect(QRectF(mask.rect())).toAlignedRect();
    const QPoint shadowOffset(effect.Shadow.OffsetX, effect.Shadow.OffsetY);
    QRect canvasRect = textBounds;
    if (shadowOn)
        canvasRect |= textBounds.translated(shadowOffset);
    canvasRect.setSize(canvasRect.size().boundedTo(QSize(kMaxSide, kMaxSide)));

    QImage canvas(canvasRect.size(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(transparent ? QColor(Qt::transparent) : background);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QTransform toCanvas = QTransform::fromTranslate(-canvasRect.left(), -canvasRect.top());
    if (shadowOn) {
        painter.setTransform(rotation * QTransform::fromTranslate(shadowOffset.x(), shadowOffset.y()) *
                             toCanvas);
        painter.drawImage(0, 0, shadowImage);
    }
    painter.setTransform(rotation * toCanvas);
    painter.drawImage(0, 0, textImage);
    painter.end();
    return canvas;
}
