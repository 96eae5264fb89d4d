#include "components/styled_label.h"

#include "components/coverage_mask.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

const QString kBlocks = QStringLiteral("█████");

QImage Render(const QString& text, const TextEffect& effect, LabelFont font = {})
{
    StyledLabel label;
    label.setTransparent(true);
    label.setText(text);
    label.setFont(font);
    label.setEffect(effect);
    return label.image();
}

LabelFont Font(int size, int32_t colour = 0)
{
    LabelFont font;
    font.Size = size;
    font.Color = colour;
    return font;
}

long long TotalAlpha(const QImage& image)
{
    long long sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += qAlpha(image.pixel(x, y));
    return sum;
}

// The mean unpremultiplied colour of the fully covered pixels inside a band of the image.
struct MeanColour {
    double red = 0, green = 0, blue = 0;
    int count = 0;
};

MeanColour MeanOver(const QImage& image, const QRect& band)
{
    MeanColour mean;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) < 250)
                continue;
            mean.red += qRed(pixel);
            mean.green += qGreen(pixel);
            mean.blue += qBlue(pixel);
            ++mean.count;
        }
    if (mean.count > 0) {
        mean.red /= mean.count;
        mean.green /= mean.count;
        mean.blue /= mean.count;
    }
    return mean;
}

QRect InkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                box |= QRect(x, y, 1, 1);
    return box;
}

constexpr int32_t kRed = 0x0000FF;   // 0x00BBGGRR
constexpr int32_t kBlue = 0xFF0000;
constexpr int32_t kGreen = 0x00FF00;

}  // namespace

TEST(StyledLabel, SizesItselfKeepsItsLeftEdgeAndRendersOnlyWhenTextOrStyleChanges)
{
    StyledLabel label;
    label.setFont(Font(24));
    label.moveTo(100, 40);
    label.setText(QStringLiteral("第 10 天"));
    const int shortWidth = label.width();
    const qint64 firstRendering = label.image().cacheKey();

    label.setText(QStringLiteral("第 10 天"));
    label.moveTo(100, 80);
    EXPECT_EQ(label.image().cacheKey(), firstRendering) << "same text and style must reuse the image";

    label.setText(QStringLiteral("第 1000000 天"));
    EXPECT_NE(label.image().cacheKey(), firstRendering);
    EXPECT_GT(label.width(), shortWidth);
    EXPECT_EQ(label.geometry(), QRect(100, 80, label.image().width(), label.image().height()));

    const qint64 second = label.image().cacheKey();
    TextEffect effect;
    effect.Shadow.Enabled = true;
    label.setEffect(effect);
    EXPECT_NE(label.image().cacheKey(), second);
    EXPECT_EQ(label.left(), 100);
}

TEST(StyledLabel, PaintsItsImageAtItsGeometryTransparentlyOrOverItsBackground)
{
    StyledLabel label;
    label.setFont(Font(20, kRed));
    label.setText(QStringLiteral("宋体"));
    label.moveTo(7, 5);

    label.setTransparent(false);
    label.setBackground(QColor(0, 0, 255));
    EXPECT_EQ(label.image().pixel(0, 0), qRgb(0, 0, 255));

    label.setTransparent(true);
    EXPECT_EQ(qAlpha(label.image().pixel(0, 0)), 0);

    QImage window(80, 60, QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::white);
    QPainter painter(&window);
    label.paint(painter);
    painter.end();
    // Where the label has fully covered text, the window shows it shifted by the label's position.
    int compared = 0;
    for (int y = 0; y < label.height(); ++y)
        for (int x = 0; x < label.width(); ++x) {
            if (qAlpha(label.image().pixel(x, y)) != 255 || x + 7 >= 80 || y + 5 >= 60)
                continue;
            EXPECT_EQ(window.pixel(x + 7, y + 5), qRgb(255, 0, 0));
            ++compared;
        }
    EXPECT_GT(compared, 10);
}

TEST(StyledLabel, MirrorsFlipTheRendering)
{
    const QString text = QStringLiteral("F长");
    const QImage plain = Render(text, {}, Font(30));
    struct Case { bool horizontal, vertical; };
    for (Case c : {Case{true, false}, Case{false, true}, Case{true, true}}) {
        TextEffect effect;
        effect.HorzMirror = c.horizontal;
        effect.VertMirror = c.vertical;
        EXPECT_EQ(Render(text, effect, Font(30)), plain.mirrored(c.horizontal, c.vertical))
            << "horizontal " << c.horizontal << " vertical " << c.vertical;
    }
}

TEST(StyledLabel, ShadowLiesAtItsOffsetInItsColour)
{
    struct Case { int dx, dy; };
    for (Case c : {Case{10, 6}, Case{-8, 4}, Case{5, -7}}) {
        TextEffect effect;
        const QImage plain = Render(kBlocks, effect, Font(30));
        effect.Shadow.Enabled = true;
        effect.Shadow.Alpha = 100;
        effect.Shadow.Blur = 0;
        effect.Shadow.Color = kRed;
        effect.Shadow.OffsetX = int8_t(c.dx);
        effect.Shadow.OffsetY = int8_t(c.dy);
        const QImage shadowed = Render(kBlocks, effect, Font(30));
        SCOPED_TRACE(testing::Message() << "offset " << c.dx << "," << c.dy);

        ASSERT_EQ(shadowed.size(), plain.size() + QSize(std::abs(c.dx), std::abs(c.dy)));
        // The text keeps its pixels; the shadow's origin is the text's moved by the offset.
        const QPoint text(std::max(0, -c.dx), std::max(0, -c.dy));
        const QPoint shadow = text + QPoint(c.dx, c.dy);
        int shadowPixels = 0;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x) {
                if (qAlpha(plain.pixel(x, y)) == 255) {
                    EXPECT_EQ(shadowed.pixel(text + QPoint(x, y)), qRgb(0, 0, 0));
                }
                const QPoint behind = shadow + QPoint(x, y) - text;
                const bool textThere = plain.valid(behind) && qAlpha(plain.pixel(behind)) > 0;
                if (qAlpha(plain.pixel(x, y)) == 255 && !textThere) {
                    EXPECT_EQ(shadowed.pixel(shadow + QPoint(x, y)), qRgb(255, 0, 0));
                    ++shadowPixels;
                }
            }
        EXPECT_GT(shadowPixels, 20);
    }
}

TEST(StyledLabel, OpacityScalesCoverageAndNeverOverflows)
{
    const long long full = TotalAlpha(Render(kBlocks, {}, Font(24)));
    ASSERT_GT(full, 0);
    // 255 is a value the settings file can hold; it must not wrap into less or corrupt pixels.
    struct Case { uint8_t alpha; double share; };
    for (Case c : {Case{50, 0.5}, Case{0, 0.0}, Case{25, 0.25}, Case{255, 1.0}}) {
        TextEffect effect;
        effect.Alpha = c.alpha;
        const QImage image = Render(kBlocks, effect, Font(24, kRed));
        EXPECT_NEAR(double(TotalAlpha(image)) / full, c.share, 0.01) << "alpha " << int(c.alpha);
        // Premultiplied pixels never hold more colour than coverage.
        for (int y = 0; y < image.height(); ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                ASSERT_LE(qRed(line[x]), qAlpha(line[x]));
        }
    }
}

TEST(StyledLabel, RotationTurnsTheBoxCounterClockwise)
{
    // One ideograph and then blank advance: the ink sits at the start of the line.
    const QString text = QStringLiteral("国　　　　");
    const QImage flat = Render(text, {}, Font(30));
    struct Case { int16_t angle; QSize size; };
    const double diagonal30w = flat.width() * std::cos(M_PI / 6) + flat.height() * std::sin(M_PI / 6);
    const double diagonal30h = flat.width() * std::sin(M_PI / 6) + flat.height() * std::cos(M_PI / 6);
    for (Case c : {Case{90, flat.size().transposed()}, Case{-90, flat.size().transposed()},
                   Case{450, flat.size().transposed()}, Case{180, flat.size()},
                   Case{30, QSize(int(diagonal30w), int(diagonal30h))}}) {
        TextEffect effect;
        effect.Angle = c.angle;
        const QImage turned = Render(text, effect, Font(30));
        EXPECT_NEAR(turned.width(), c.size.width(), 2) << "angle " << c.angle;
        EXPECT_NEAR(turned.height(), c.size.height(), 2) << "angle " << c.angle;
    }
    TextEffect up;
    up.Angle = 90;  // the start of the line turns to the bottom
    const QImage ccw = Render(text, up, Font(30));
    EXPECT_GT(InkBox(ccw).center().y(), ccw.height() / 2);
    up.Angle = -90;
    const QImage cw = Render(text, up, Font(30));
    EXPECT_LT(InkBox(cw).center().y(), cw.height() / 2);
}

TEST(StyledLabel, OutlineLeavesTheInsideOfALargeGlyphEmpty)
{
    const QImage solid = Render(QStringLiteral("█"), {}, Font(150));
    TextEffect effect;
    effect.Outline = true;
    const QImage outline = Render(QStringLiteral("█"), effect, Font(150));
    ASSERT_EQ(outline.size(), solid.size());
    const QRect ink = InkBox(solid);
    const QPoint centre = ink.center();
    EXPECT_EQ(qAlpha(solid.pixel(centre)), 255);
    EXPECT_EQ(qAlpha(outline.pixel(centre)), 0);
    EXPECT_EQ(qAlpha(outline.pixel(ink.left() + 1, centre.y())), 255) << "the rim stays";
    EXPECT_LT(TotalAlpha(outline), TotalAlpha(solid) / 3);
}

TEST(StyledLabel, GradientRunsInEachOfItsSixDirections)
{
    // Start colour red, end colour blue; each case names where each colour must dominate.
    using Band = std::function<QRect(const QRect&)>;
    const auto left = [](const QRect& r) { return QRect(r.left(), r.top(), r.width() / 8, r.height()); };
    const auto right = [](const QRect& r) {
        return QRect(r.right() - r.width() / 8, r.top(), r.width() / 8, r.height());
    };
    const auto top = [](const QRect& r) { return QRect(r.left(), r.top(), r.width(), r.height() / 8); };
    const auto bottom = [](const QRect& r) {
        return QRect(r.left(), r.bottom() - r.height() / 8, r.width(), r.height() / 8);
    };
    const auto midColumn = [](const QRect& r) {
        return QRect(r.center().x() - r.width() / 16, r.top(), r.width() / 8, r.height());
    };
    const auto midRow = [](const QRect& r) {
        return QRect(r.left(), r.center().y() - r.height() / 16, r.width(), r.height() / 8);
    };
    struct Case { uint8_t style; Band startBand; Band endBand; };
    const Case cases[] = {
        {gsLeftToRight, left, right},   {gsRightToLeft, right, left},
        {gsTopToBottom, top, bottom},   {gsBottomToTop, bottom, top},
        {gsCenterToLR, midColumn, left}, {gsCenterToLR, midColumn, right},
        {gsCenterToTB, midRow, top},    {gsCenterToTB, midRow, bottom},
    };
    for (const Case& c : cases) {
        TextEffect effect;
        effect.Gradual.Enabled = true;
        effect.Gradual.StartColor = kRed;
        effect.Gradual.EndColor = kBlue;
        effect.Gradual.Style = c.style;
        const QImage image = Render(kBlocks, effect, Font(40));
        const QRect ink = InkBox(image);
        const MeanColour start = MeanOver(image, c.startBand(ink));
        const MeanColour end = MeanOver(image, c.endBand(ink));
        SCOPED_TRACE(testing::Message() << "style " << int(c.style));
        ASSERT_GT(start.count, 0);
        ASSERT_GT(end.count, 0);
        EXPECT_GT(start.red, start.blue + 150);
        EXPECT_GT(end.blue, end.red + 150);
    }
}

TEST(StyledLabel, TextureLiesOverGradientOverPlainColourPlacedByItsMode)
{
    // A picture whose left half is green and right half red makes the placement visible.
    QImage halves(8, 8, QImage::Format_RGB32);
    halves.fill(Qt::green);
    for (int y = 0; y < 8; ++y)
        for (int x = 4; x < 8; ++x)
            halves.setPixel(x, y, qRgb(255, 0, 0));
    TextEffect effect;
    effect.Gradual.StartColor = 0x00FFFF;  // yellow all along
    effect.Gradual.EndColor = 0x00FFFF;
    effect.Texture.Enabled = true;
    effect.Texture.Picture.kind = PictureKind::Bitmap;
    effect.Texture.Picture.image = halves;
    const LabelFont blueText = Font(40, kBlue);

    const auto colourAt = [](const QImage& image, QPoint p) {
        const QRgb c = image.pixel(p);
        return qAlpha(c) == 255 ? QColor(c) : QColor();
    };
    struct Case { uint8_t mode; bool gradient; QColor left, right; };
    // Stretched: the picture's halves span the text; at the origin or centred, the small picture
    // leaves the gradient, or without one the font's colour, at the far ends.
    for (Case c : {Case{tmStretched, true, Qt::green, Qt::red}, Case{tmNormal, true, Qt::green, Qt::yellow},
                   Case{tmCenter, true, Qt::yellow, Qt::yellow}, Case{tmNormal, false, Qt::green, Qt::blue},
                   Case{tmCenter, false, Qt::blue, Qt::blue}}) {
        effect.Texture.Mode = c.mode;
        effect.Gradual.Enabled = c.gradient;
        const QImage image = Render(kBlocks, effect, blueText);
        const QRect ink = InkBox(image);
        const int row = ink.top() + 3;
        SCOPED_TRACE(testing::Message() << "mode " << int(c.mode) << " gradient " << c.gradient);
        EXPECT_EQ(colourAt(image, QPoint(ink.left() + 1, row)), c.left);
        EXPECT_EQ(colourAt(image, QPoint(ink.right() - 1, row)), c.right);
    }

    effect.Texture.Mode = tmTiled;
    effect.Gradual.Enabled = true;
    const QImage tiled = Render(kBlocks, effect, blueText);
    const MeanColour all = MeanOver(tiled, InkBox(tiled));
    EXPECT_NEAR(all.green, all.red, 40) << "tiles of both halves all along";
    EXPECT_LT(all.blue, 5) << "neither gradient nor plain colour shows";

    effect.Texture.Enabled = false;  // a disabled texture leaves the gradient
    const QImage gradient = Render(kBlocks, effect, blueText);
    const MeanColour yellow = MeanOver(gradient, InkBox(gradient));
    EXPECT_GT(yellow.red, 250);
    EXPECT_LT(yellow.blue, 5);
}

TEST(StyledLabel, ScatteringEffectsDrawTheSameEachTimeAndKeepRoughlyTheirInk)
{
    const QString text = QStringLiteral("计时器屏保");
    const QImage plain = Render(text, {}, Font(30, 0x808080));
    using Apply = void (*)(TextEffect&);
    struct Case { const char* name; Apply apply; bool sameAlpha; };
    const Case cases[] = {
        {"noise", [](TextEffect& e) { e.Noise = 255; }, true},
        {"spray", [](TextEffect& e) { e.Spray = 255; }, false},
        {"blur", [](TextEffect& e) { e.Blur = 100; }, false},
    };
    for (const Case& c : cases) {
        TextEffect effect;
        c.apply(effect);
        const QImage first = Render(text, effect, Font(30, 0x808080));
        SCOPED_TRACE(c.name);
        EXPECT_EQ(first, Render(text, effect, Font(30, 0x808080)));
        EXPECT_NE(first, plain);
        EXPECT_NEAR(double(TotalAlpha(first)) / TotalAlpha(plain), 1.0, 0.1);
        if (c.sameAlpha) {  // noise changes the colour of the dots, not where the text is
            EXPECT_EQ(first.convertToFormat(QImage::Format_Alpha8),
                      plain.convertToFormat(QImage::Format_Alpha8));
        }
    }

    TextEffect blur;
    blur.Blur = 100;
    const QImage blurred = Render(QStringLiteral("█"), blur, Font(60));
    EXPECT_LT(qAlpha(blurred.pixel(InkBox(blurred).topLeft() + QPoint(2, 2))), 64)
        << "a blurred edge fades";
}

TEST(StyledLabel, StrayFontSizesFromTheSettingsFileStayDrawable)
{
    struct Case { int size; int16_t angle; };
    for (Case c : {Case{0, 0}, Case{-12, 0}, Case{100000, 0}, Case{2147483647, 0}, Case{100000, 45}}) {
        TextEffect effect;
        effect.Angle = c.angle;
        const QImage image = Render(QStringLiteral("第 10 天 第 10 天"), effect, Font(c.size));
        EXPECT_FALSE(image.isNull()) << c.size;
        EXPECT_LE(image.width(), 8192) << c.size;
        EXPECT_LE(image.height(), 8192) << c.size;
    }
    const QImage negative = Render(QStringLiteral("第"), {}, Font(-20));
    EXPECT_EQ(negative.size(), Render(QStringLiteral("第"), {}, Font(20)).size());
}

namespace {

// A mask of the given size with full coverage at the listed points.
QImage MaskWithInk(QSize size, const std::vector<QPoint>& ink)
{
    QImage mask(size, QImage::Format_Alpha8);
    mask.fill(0);
    for (QPoint p : ink)
        mask.scanLine(p.y())[p.x()] = 255;
    return mask;
}

TEST(CoverageMask, CoveredBoxFindsInkWhereverItLiesInARow)
{
    // Rows are skipped several bytes at a time: ink at the first and last byte, around the
    // eight-byte steps and in rows shorter than one step must all be found.
    struct Case { int width; std::vector<int> xs; };
    for (const Case& c : {Case{1, {0}}, Case{5, {4}}, Case{8, {7}}, Case{9, {8}}, Case{16, {7, 8}},
                          Case{17, {0}}, Case{17, {16}}, Case{40, {15, 16}}, Case{40, {9, 31}},
                          Case{41, {23}}}) {
        QImage mask(c.width, 3, QImage::Format_Alpha8);
        mask.fill(0);
        for (int x : c.xs)
            mask.scanLine(1)[x] = 1;
        const int left = *std::min_element(c.xs.begin(), c.xs.end());
        const int right = *std::max_element(c.xs.begin(), c.xs.end());
        EXPECT_EQ(CoveredBox(mask), QRect(QPoint(left, 1), QPoint(right, 1))) << "width " << c.width;
    }
    EXPECT_TRUE(CoveredBox(MaskWithInk(QSize(33, 4), {})).isEmpty());
}

// Three box passes in each direction done the plain way: every window summed afresh in doubles,
// beyond the mask counting as empty.
QImage ReferenceBlur(const QImage& mask, int radius)
{
    const int w = mask.width(), h = mask.height();
    std::vector<double> v(size_t(w * h)), t(v.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            v[size_t(y * w + x)] = mask.constScanLine(y)[x];
    auto pass = [&](bool horizontal) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                double sum = 0;
                for (int d = -radius; d <= radius; ++d) {
                    const int sx = horizontal ? x + d : x, sy = horizontal ? y : y + d;
                    if (sx >= 0 && sx < w && sy >= 0 && sy < h)
                        sum += v[size_t(sy * w + sx)];
                }
                t[size_t(y * w + x)] = std::round(sum / (2 * radius + 1));
            }
        v.swap(t);
    };
    for (int i = 0; i < 3; ++i) {
        pass(true);
        pass(false);
    }
    QImage out(mask.size(), QImage::Format_Alpha8);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.scanLine(y)[x] = uchar(v[size_t(y * w + x)]);
    return out;
}

TEST(CoverageMask, BoxBlurSpreadsInkLikeAPlainBoxFilterUpToTheEdges)
{
    // Ink in the middle, against each edge and in masks narrower than the window: the running
    // sums must enter, slide and leave every row and column exactly as a fresh sum would.
    struct Case { QSize size; std::vector<QPoint> ink; int radius; };
    std::vector<QPoint> edgeLines;  // the whole top row and left column inked
    for (int i = 0; i < 24; ++i) {
        edgeLines.push_back(QPoint(i, 0));
        edgeLines.push_back(QPoint(0, i));
    }
    const Case cases[] = {
        {QSize(60, 40), {QPoint(30, 20), QPoint(31, 20), QPoint(30, 21)}, 3},
        {QSize(24, 24), edgeLines, 2},
        {QSize(60, 40), {QPoint(0, 0), QPoint(59, 39), QPoint(59, 0)}, 4},
        {QSize(5, 30), {QPoint(2, 15), QPoint(4, 16)}, 8},
        {QSize(30, 3), {QPoint(10, 1), QPoint(29, 2)}, 6},
        {QSize(45, 23), {QPoint(7, 3), QPoint(8, 3), QPoint(9, 3), QPoint(20, 19)}, 1},
    };
    for (const Case& c : cases) {
        QImage mask = MaskWithInk(c.size, c.ink);
        const QImage expected = ReferenceBlur(mask, c.radius);
        BoxBlurMask(mask, c.radius);
        int worst = 0;
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x)
                worst = std::max(worst, std::abs(mask.constScanLine(y)[x] - expected.constScanLine(y)[x]));
        // Fixed-point division rounds a little differently from the doubles over six passes.
        EXPECT_LE(worst, 2) << c.size.width() << "x" << c.size.height() << " radius " << c.radius;
    }
}

}  // namespace
