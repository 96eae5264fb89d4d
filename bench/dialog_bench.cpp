// The settings dialog: the time from creating it to its first frame on screen (reading every key
// of a full settings file and the four texture pictures included), and the time of one OK, which
// writes every key and the texture files. Runs on Qt's offscreen platform unless told otherwise.

#include "components/font_effect_dialog.h"
#include "components/jpeg_codec.h"
#include "settings/f_setup.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

// A scratch folder with a settings file as the dialog leaves it, textures included.
class Folder {
public:
    Folder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarnik-bench-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
        QImage texture(64, 32, QImage::Format_RGB32);
        texture.fill(QColor(90, 140, 200));
        const QByteArray jpeg = EncodeJpeg(texture);
        for (const char* section : {"Title", "N", "StartEnd", "Week"}) {
            std::ofstream(path_ + "/" + section + ".jpg", std::ios::binary)
                .write(jpeg.constData(), jpeg.size());
            std::ofstream(path_ + "/ScreenSaver.ini", std::ios::app)
                << "[" << section << "]\r\nTexture=1\r\nShadow=1\r\n";
        }
        // One OK writes every key, so the file afterwards holds everything.
        auto setup = Open();
        setup->btn_saveClick();
    }
    ~Folder() { std::filesystem::remove_all(path_); }

    std::unique_ptr<Tsetup> Open() const
    {
        SetupEnvironment environment = DefaultSetupEnvironment();
        environment.appDirectory = path_ + "/";
        environment.showMessage = [](const QString&) {};
        environment.showError = [](const QString& text) {
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        };
        return std::make_unique<Tsetup>(std::move(environment));
    }

private:
    std::string path_;
};

void BM_OpenAndShowDialog(benchmark::State& state)
{
    Folder folder;
    for (auto _ : state) {
        auto setup = folder.Open();
        setup->show();
        QApplication::processEvents();  // lays out and paints the first frame
        benchmark::DoNotOptimize(setup.get());
    }
}
BENCHMARK(BM_OpenAndShowDialog)->Unit(benchmark::kMillisecond);

void BM_SaveEveryKey(benchmark::State& state)
{
    Folder folder;
    for (auto _ : state) {
        state.PauseTiming();
        auto setup = folder.Open();
        state.ResumeTiming();
        setup->btn_saveClick();
    }
}
BENCHMARK(BM_SaveEveryKey)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
