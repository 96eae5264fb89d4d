#include "saver/window_timers.h"

#include <QTimer>

#include <climits>

void ArmTimer(QTimer& timer, bool enabled, long long intervalMs)
{
    timer.stop();
    const bool fires = intervalMs > 0 && intervalMs <= INT_MAX;
    timer.setInterval(fires ? static_cast<int>(intervalMs) : 0);
    if (enabled && fires)
        timer.start();
}

void StartIfItFires(QTimer& timer)
{
    if (timer.interval() > 0)
        timer.start();
}
