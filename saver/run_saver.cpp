#include "saver/run_saver.h"

#include "saver/f_matrix.h"
#include "saver/saver_clock.h"
#include "saver/snapshot.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

namespace {

// A clock that always shows one moment: a snapshot of a given time.
class FixedClock final : public SaverClock {
public:
    explicit FixedClock(DateTime now) : now_(now) {}
    DateTime now() const override { return now_; }

private:
    DateTime now_;
};

int SnapshotFailure(const std::string& message)
{
    std::fprintf(stderr, "snapshot: %s\n", message.c_str());
    return 2;
}

}  // namespace

int RunSaverWindow(QApplication& app)
{
    TfrmScreenSaver window(SaverEnvironment::System());
    window.showFullScreen();
    return app.exec();
}

bool IsSnapshotRequest(const QStringList& arguments)
{
    return HasSnapshotOption(arguments);
}

int RunSaverSnapshot(QApplication&, const QStringList& arguments)
{
    const auto parsed = ParseSnapshotOptions(arguments);
    if (const auto* error = std::get_if<std::string>(&parsed))
        return SnapshotFailure(*error);
    const SnapshotOptions& options = std::get<SnapshotOptions>(parsed);

    SaverEnvironment env = SaverEnvironment::System();
    if (options.size)
        env.screen = QRect(QPoint(0, 0), *options.size);
    else
        env.screen.moveTopLeft(QPoint(0, 0));
    if (options.now)
        env.clock = std::make_shared<FixedClock>(*options.now);
    // Nobody moves a mouse over a picture file.
    env.cursorPosition = [] { return QPoint(0, 0); };

    TfrmScreenSaver window(std::move(env));
    const QImage image = RenderSnapshot(window);
    if (!image.save(QString::fromStdString(options.outputPath), "PNG"))
        return SnapshotFailure("cannot write " + options.outputPath);
    return 0;
}
