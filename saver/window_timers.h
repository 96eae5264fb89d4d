#pragma once
// Timers with the rule the saver's settings assume: an interval of 0 or less never fires.

class QTimer;

// Gives the timer its interval and starts it when enabled. An interval of 0 or less, or one
// beyond what a timer can hold, leaves the timer silent with interval 0: a QTimer of 0 would fire
// on every pass of the event loop instead of never.
void ArmTimer(QTimer& timer, bool enabled, long long intervalMs);

// Switches the timer on, starting its period afresh; a silent timer stays off.
void StartIfItFires(QTimer& timer);
