// The program's entry: decides the run mode from the command line, then previews, configures
// or runs the saver.

#include "host/preview.h"
#include "host/run_mode.h"
#include "platform/instance_guard.h"
#include "saver/run_saver.h"
#include "settings/run_config.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

std::string Argument(int argc, char** argv, int index)
{
    return index < argc ? std::string(argv[index]) : std::string();
}

bool HasDisplay()
{
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (display && *display) || (wayland && *wayland);
}

// Reports an error that ends the program: on stderr always, and in a message box when there is
// a screen to show it on.
int Fail(const QString& message)
{
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    if (HasDisplay() && QGuiApplication::platformName() != QLatin1String("offscreen"))
        QMessageBox::critical(nullptr, QApplication::applicationName(), message);
    return 1;
}

int RunPreview(const std::string& handleText)
{
    const std::optional<unsigned long> handle = ParseWindowHandle(handleText);
    if (!handle)
        return Fail(QString::fromStdString(InvalidIntegerMessage(handleText)));
    const std::string error = DrawPreview(*handle);
    return error.empty() ? 0 : Fail(QString::fromStdString(error));
}

}  // namespace

int main(int argc, char** argv)
{
    const RunMode mode = RunModeFor(Argument(argc, argv, 1));
    const std::string second = AsciiUpper(Argument(argc, argv, 2));

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    // Without a display Qt cannot start its usual platform; the offscreen one still lets the
    // saver render a snapshot and every mode report its errors instead of aborting.
    const bool display = HasDisplay();
    if (!display && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    // The application's title. Set as its name rather than its display name, which Qt would append
    // to every window caption.
    app.setApplicationName(QStringLiteral("Tarnik计时器屏保"));
    const bool snapshot = mode == RunMode::Saver && IsSnapshotRequest(arguments);
    if (!display && !snapshot && mode != RunMode::Preview)
        return Fail(QStringLiteral("No display is available. To render the saver without one, run: "
                                   "tarnik-saver --snapshot FILE.png [--size WxH] [--now YYYY-MM-DDTHH:MM:SS]"));

    switch (mode) {
    case RunMode::Preview:
        return RunPreview(second);
    case RunMode::Config:
        return RunConfigDialog(app);
    case RunMode::Saver:
        // A snapshot shows nothing on screen, so it needs no guard; the window does.
        if (snapshot)
            return RunSaverSnapshot(app, arguments);
        break;
    }

    InstanceGuard guard("SaverSemaphore");
    if (guard.otherInstanceRunning())
        return 0;
    return RunSaverWindow(app);
}
