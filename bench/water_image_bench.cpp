// The cost of one ripple frame at full-screen size, against a plain copy of a frame that size.

#include <ctime>
#include <cstring>
#include <random>

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "components/water_image.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

QImage TestPicture() {
    // Smaller than the screen, so that it is stretched as a photo usually is.
    QImage picture(1600, 1000, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 1600, 1000);
    gradient.setColorAt(0, QColor(20, 70, 150));
    gradient.setColorAt(1, QColor(230, 200, 110));
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(Qt::white);
    for (int x = 0; x < 1600; x += 40)
        painter.drawLine(x, 0, x, 1000);
    return picture;
}

// Processor time in nanoseconds: the machine may be shared, and wall time would count the
// others' work too.
double ProcessorNanoseconds() {
    return double(std::clock()) * 1e9 / CLOCKS_PER_SEC;
}

// Nanoseconds of one memcpy of a full-screen 32-bit frame, the yardstick of every frame cost.
double CopyNanoseconds() {
    QImage from(kWidth, kHeight, QImage::Format_RGB32);
    from.fill(Qt::darkCyan);
    QImage to(kWidth, kHeight, QImage::Format_RGB32);
    to.fill(Qt::black);
    constexpr int kRounds = 500;
    const double start = ProcessorNanoseconds();
    for (int i = 0; i < kRounds; ++i) {
        std::memcpy(to.bits(), from.constBits(), size_t(from.sizeInBytes()));
        benchmark::ClobberMemory();
    }
    return (ProcessorNanoseconds() - start) / kRounds;
}

std::function<uint32_t()> FixedSeedSource() {
    return [engine = std::mt19937(20240111)]() mutable { return uint32_t(engine()); };
}

// Whether a frame ends with the window drawing the changed area onto its own surface, as the
// saver's paint does. The frame is then read right after it was written, so this shows whether
// a faster rendering merely moved the cost into the paint.
enum class Painting { Without, OntoScreen };

// Runs frames of `water` (one simulation step and its rendering each) and reports the processor
// time of a frame, also as a multiple of a frame copy measured in the same run.
void RunFrames(benchmark::State& state, WaterImage& water, Painting painting) {
    QImage screen(kWidth, kHeight, QImage::Format_RGB32);
    screen.fill(Qt::black);
    const double start = ProcessorNanoseconds();
    for (auto _ : state) {
        const QRect changed = water.advance(WaterImage::kStepMs);
        if (painting == Painting::OntoScreen && !changed.isEmpty()) {
            QPainter painter(&screen);
            water.paint(painter, changed);
        }
        benchmark::DoNotOptimize(changed);
    }
    const double perFrame = (ProcessorNanoseconds() - start) / double(state.iterations());
    const double copy = CopyNanoseconds();
    state.counters["ms_per_frame"] = perFrame / 1e6;
    state.counters["copy_ms"] = copy / 1e6;
    state.counters["x_copy"] = perFrame / copy;
}

void BM_FrameCopy(benchmark::State& state) {
    QImage from(kWidth, kHeight, QImage::Format_RGB32);
    from.fill(Qt::darkCyan);
    QImage to(kWidth, kHeight, QImage::Format_RGB32);
    to.fill(Qt::black);
    for (auto _ : state) {
        std::memcpy(to.bits(), from.constBits(), size_t(from.sizeInBytes()));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FrameCopy)->Unit(benchmark::kMillisecond);

// The worst case: ripples everywhere, none dying, so every row is simulated and displaced.
void BM_RippleFrameLively(benchmark::State& state, Painting painting) {
    WaterImage water;
    water.setRandomSource(FixedSeedSource());
    water.setGeometry(QRect(0, 0, kWidth, kHeight));
    water.setPicture(TestPicture());
    water.Damping = 0;
    water.RandomDelay = WaterImage::kStepMs;
    std::mt19937 engine(7);
    for (int i = 0; i < 400; ++i)
        water.Blob(int(engine() % kWidth), int(engine() % kHeight), 12, 1000);
    for (int i = 0; i < 60; ++i)
        water.advance(WaterImage::kStepMs);
    RunFrames(state, water, painting);
}
BENCHMARK_CAPTURE(BM_RippleFrameLively, rendered, Painting::Without)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RippleFrameLively, painted, Painting::OntoScreen)->Unit(benchmark::kMillisecond);

// The saver's own settings after a few seconds: random drops every 300 ms, damping 30.
void BM_RippleFrameDefaults(benchmark::State& state, Painting painting) {
    WaterImage water;
    water.setRandomSource(FixedSeedSource());
    water.setGeometry(QRect(0, 0, kWidth, kHeight));
    water.setPicture(TestPicture());
    for (int i = 0; i < 250; ++i)
        water.advance(WaterImage::kStepMs);
    RunFrames(state, water, painting);
}
BENCHMARK_CAPTURE(BM_RippleFrameDefaults, rendered, Painting::Without)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RippleFrameDefaults, painted, Painting::OntoScreen)->Unit(benchmark::kMillisecond);

}  // namespace
