#pragma once
// The folder of the running executable, where the settings file and every side file live.

#include <string>

// The directory of the running executable with a trailing '/', e.g. "/opt/saver/".
std::string AppDirectory();

// The directory part of an executable path, keeping its last '/': everything after the last
// separator is dropped. Empty when the path holds no separator.
std::string DirectoryWithSeparator(const std::string& executablePath);

// AppDirectory() + "ScreenSaver.ini".
std::string SettingsFilePath();
