// Decoding a 24-megapixel photo for a full-HD screen: whole, reduced by libjpeg while decoding,
// and through Qt's JPEG reader asked for the same reduced size (to see whether Qt's scaled read
// is as cheap). The reduced reads report their time as a share of the whole decode.

#include <algorithm>
#include <chrono>

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include "bench/bench_photo.h"
#include "components/jpeg_codec.h"

namespace {

const QSize kScreen(1920, 1080);

const QByteArray& Photo()
{
    return PhotoJpeg6000x4000();
}

// The best of three whole decodes, the yardstick of the reduced ones.
double WholeDecodeSeconds()
{
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(DecodeJpeg(Photo(), "photo.jpg"));
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

template <typename Decode>
void RunAgainstWhole(benchmark::State& state, Decode decode)
{
    const double whole = WholeDecodeSeconds();
    double seconds = 0;
    QSize size;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const QImage image = decode();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        size = image.size();
    }
    state.counters["share_of_whole"] = seconds / state.iterations() / whole;
    state.counters["width"] = size.width();
    state.counters["height"] = size.height();
}

void BM_DecodeWhole(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeJpeg(Photo(), "photo.jpg"));
    state.counters["file_megabytes"] = Photo().size() / 1e6;
}

void BM_DecodeReducedForScreen(benchmark::State& state)
{
    RunAgainstWhole(state, [] { return DecodeJpeg(Photo(), "photo.jpg", kScreen); });
}

void BM_QtReaderScaledForScreen(benchmark::State& state)
{
    RunAgainstWhole(state, [] {
        QByteArray bytes = Photo();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "jpeg");
        reader.setScaledSize(QSize(2250, 1500));
        return reader.read();
    });
}

BENCHMARK(BM_DecodeWhole)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeReducedForScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtReaderScaledForScreen)->Unit(benchmark::kMillisecond);

}  // namespace
