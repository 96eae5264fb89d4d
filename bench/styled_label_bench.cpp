// Rendering cost of a styled label: a full line of CJK text plain and with every effect at its
// strongest, against drawing the cached rendering, which is all a scroll tick or a ripple frame does.
#include "components/styled_label.h"
#include "components/text_effect_renderer.h"

#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

// 40 characters, the length of a long calendar line.
const QString kLine = QStringLiteral("癸卯兔年十二月初一星期四上午九点三十分整天朗气清惠风和畅仰观宇宙之大俯察品类之盛所以游");

LabelFont Font48()
{
    LabelFont font;
    font.Size = 48;
    font.Color = 0x3366CC;
    return font;
}

TextEffect Strongest()
{
    QImage texture(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            texture.setPixel(x, y, qRgb(x * 4, y * 4, (x ^ y) * 4));
    TextEffect effect;
    effect.Alpha = 100;
    effect.Blur = 100;
    effect.Noise = 255;
    effect.Spray = 255;
    effect.Angle = 30;
    effect.Outline = true;
    effect.HorzMirror = true;
    effect.VertMirror = true;
    effect.Shadow = {.Enabled = true, .Alpha = 100, .Blur = 100, .Color = 4473924, .OffsetX = 20, .OffsetY = 20};
    effect.Gradual = {.Enabled = true, .StartColor = 255, .EndColor = 0xFF0000, .Style = gsCenterToLR};
    effect.Texture.Enabled = true;
    effect.Texture.Mode = tmTiled;
    effect.Texture.Picture.kind = PictureKind::Bitmap;
    effect.Texture.Picture.image = texture;
    return effect;
}

void BM_RenderPlain(benchmark::State& state)
{
    const LabelFont font = Font48();
    for (auto _ : state) {
        QImage image = RenderStyledText(kLine, font, TextEffect{}, true, Qt::white);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderPlain)->Unit(benchmark::kMillisecond);

void BM_RenderEveryEffectStrongest(benchmark::State& state)
{
    const LabelFont font = Font48();
    const TextEffect effect = Strongest();
    QSize size;
    for (auto _ : state) {
        QImage image = RenderStyledText(kLine, font, effect, true, Qt::white);
        size = image.size();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["width"] = size.width();
    state.counters["height"] = size.height();
}
BENCHMARK(BM_RenderEveryEffectStrongest)->Unit(benchmark::kMillisecond);

// A redraw of an unchanged label: the cached image drawn into a screen-sized frame.
void BM_CachedRedraw(benchmark::State& state)
{
    StyledLabel label;
    label.setFont(Font48());
    label.setEffect(Strongest());
    label.setText(kLine);
    label.moveTo(0, 300);
    QImage frame(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::darkGreen);
    for (auto _ : state) {
        label.setText(kLine);  // the calendar line is set again on every tick
        QPainter painter(&frame);
        label.paint(painter);
    }
}
BENCHMARK(BM_CachedRedraw)->Unit(benchmark::kMillisecond);

}  // namespace
