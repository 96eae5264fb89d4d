// The saver's start to its first painted frame with a 6000 x 4000 JPEG in the picture folder,
// against the same start with an empty folder; and one full-screen frame of the running saver
// (a water step and the repaint of the whole window), against the 20 ms a 50 fps frame may take.

#include "bench/bench_photo.h"
#include "components/water_image.h"
#include "saver/f_matrix.h"
#include "saver/random_source.h"
#include "saver/saver_clock.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

const QRect kScreen(0, 0, 1920, 1080);

// A program folder with a picture folder, empty or holding the large photo.
class Install {
public:
    explicit Install(bool largeJpeg)
    {
        std::string pattern = (fs::temp_directory_path() / "tarnik-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        path_ = pattern + "/";
        fs::create_directory(path_ + "pic");
        if (largeJpeg) {
            std::ofstream(path_ + "pic/photo.jpg", std::ios::binary)
                .write(PhotoJpeg6000x4000().constData(), PhotoJpeg6000x4000().size());
        }
    }
    ~Install() { fs::remove_all(path_); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

SaverEnvironment Environment(const std::string& appDirectory)
{
    SaverEnvironment env;
    env.clock = std::make_shared<SystemClock>();
    env.random = std::make_shared<ClockSeededRandom>();
    env.appDirectory = appDirectory;
    env.screen = kScreen;
    env.cursorPosition = [] { return QPoint(0, 0); };
    env.report = [](const std::string&) {};
    return env;
}

void StartToFirstFrame(benchmark::State& state, bool largeJpeg)
{
    const Install install(largeJpeg);
    QImage frame(kScreen.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        TfrmScreenSaver window(Environment(install.path()));
        window.render(&frame);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

void BM_SaverStart_EmptyFolder(benchmark::State& state)
{
    StartToFirstFrame(state, false);
}

void BM_SaverStart_Jpeg6000x4000(benchmark::State& state)
{
    StartToFirstFrame(state, true);
}

// One frame of the running saver in picture mode, the whole screen repainted as when ripples
// spread everywhere.
void BM_SaverFrame_FullScreen(benchmark::State& state)
{
    const Install install(true);
    TfrmScreenSaver window(Environment(install.path()));
    QImage frame(kScreen.size(), QImage::Format_RGB32);
    for (int i = 0; i < 100; ++i)  // let random drops spread first
        window.advanceWater(WaterImage::kStepMs);
    for (auto _ : state) {
        window.advanceWater(WaterImage::kStepMs);
        window.render(&frame);
        benchmark::DoNotOptimize(frame.constBits());
    }
    state.counters["frames_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_SaverStart_EmptyFolder)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SaverStart_Jpeg6000x4000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SaverFrame_FullScreen)->Unit(benchmark::kMillisecond);
