#pragma once
// The Config run mode: the settings dialog as the application's only window.

class QApplication;

// Opens the settings dialog as the application's main window; returns the exit code.
int RunConfigDialog(QApplication& app);
