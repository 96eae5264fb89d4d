#include "saver/saver_environment.h"

#include "saver/random_source.h"
#include "saver/saver_clock.h"
#include "settings/app_directory.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <cstdio>

SaverEnvironment SaverEnvironment::System()
{
    SaverEnvironment env;
    env.clock = std::make_shared<SystemClock>();
    env.random = std::make_shared<ClockSeededRandom>();
    env.appDirectory = AppDirectory();
    const QScreen* screen = QGuiApplication::primaryScreen();
    env.screen = screen ? screen->geometry() : QRect(0, 0, 1920, 1080);
    env.cursorPosition = [] { return QCursor::pos(); };
    env.report = ReportToStderr;
    return env;
}

void ReportToStderr(const std::string& line)
{
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}
