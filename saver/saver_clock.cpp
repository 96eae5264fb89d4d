#include "saver/saver_clock.h"

#include <QDateTime>

#include <cmath>

DateTime SystemClock::now() const
{
    return DateTimeFromQt(QDateTime::currentDateTime());
}

ClockTime TimeOfDay(DateTime value)
{
    // Before the epoch the fraction counts away from zero, so its size is the time either way.
    const double fraction = std::fabs(value - std::trunc(value));
    long long ms = std::llround(fraction * 86400000.0);
    if (ms >= 86400000)
        ms = 86399999;  // a fraction a hair below the next midnight still belongs to this day
    const long long seconds = ms / 1000;
    return {static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
            static_cast<int>(seconds % 60)};
}

DateTime DateTimeFromQt(const QDateTime& local)
{
    const QDate d = local.date();
    const QTime t = local.time();
    return EncodeDateTime(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec());
}
