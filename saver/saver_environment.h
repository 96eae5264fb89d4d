#pragma once
// What the saver window takes from the world around it: the clock, chance, its folder, the
// screen, the cursor and where to report a picture it had to skip. Tests hand in their own.

#include <QPoint>
#include <QRect>

#include <functional>
#include <memory>
#include <string>

class RandomSource;
class SaverClock;

// The saver window's surroundings.
struct SaverEnvironment {
    std::shared_ptr<const SaverClock> clock;
    std::shared_ptr<RandomSource> random;
    std::string appDirectory;  // with its trailing '/'
    QRect screen;              // the primary screen's geometry
    std::function<QPoint()> cursorPosition;          // in screen coordinates
    std::function<void(const std::string&)> report;  // one line about a skipped picture

    // The real clock, a clock-seeded random source, the executable's folder, the primary screen,
    // the real cursor and stderr.
    static SaverEnvironment System();
};

// Writes one line on stderr.
void ReportToStderr(const std::string& line);
