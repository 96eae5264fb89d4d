#include "host/run_mode.h"

std::string AsciiUpper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

RunMode RunModeFor(const std::string& firstArgument)
{
    const std::string first = AsciiUpper(firstArgument);
    const std::string two = first.substr(0, 2);
    RunMode mode = RunMode::Saver;
    if (two == "/P" || two == "-P" || first.starts_with('P'))
        mode = RunMode::Preview;
    // The configuration tests run after the preview tests and win; no argument passes both.
    if (two == "/C" || two == "-C" || first.starts_with('C') || first.empty())
        mode = RunMode::Config;
    return mode;
}
