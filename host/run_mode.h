#pragma once
// How the executable was started: the run mode, decided from the command line alone.

#include <string>

enum class RunMode { Saver = 0, Preview = 1, Config = 2 };

// Upper-cases ASCII letters only; other bytes (UTF-8 included) stay as they are.
std::string AsciiUpper(std::string text);

// The run mode for the first command-line argument (empty when there is none). Only its first one
// or two characters count: /P, -P or P preview; /C, -C, C or nothing configures; all else saves.
RunMode RunModeFor(const std::string& firstArgument);
