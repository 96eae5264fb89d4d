#pragma once
// What the program's entry calls in saver mode.

#include <QStringList>

class QApplication;

// Runs the saver window as the application's main window until it closes; returns the exit code.
int RunSaverWindow(QApplication& app);
// True when the arguments ask for a snapshot (--snapshot FILE.png [--size WxH] [--now ...]).
bool IsSnapshotRequest(const QStringList& arguments);
// Renders the saver once without a display and writes the PNG; returns the exit code (non-zero
// with a clear message on stderr on bad options or a failed write).
int RunSaverSnapshot(QApplication& app, const QStringList& arguments);
