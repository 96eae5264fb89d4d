#pragma once
// Running the real executable from end-to-end tests: start it, wait for it with a bound, stop it.

#include <string>
#include <vector>

#include <sys/types.h>

// The path of the built tarnik-saver, from the TARNIK_SAVER environment variable.
std::string SaverExecutable();

// Copies the executable into `folder`, so that folder becomes its application directory.
std::string CopySaverInto(const std::string& folder);

// A child process running a program with arguments; killed when the object goes away.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    // Waits up to `milliseconds` for the process to end; true when it ended.
    bool waitForExit(int milliseconds);
    bool running();
    // The exit code once ended; -1 when it died by a signal or has not ended.
    int exitCode() const { return exitCode_; }
    // What the process wrote on stderr, read after it ended.
    std::string standardError() const;

private:
    pid_t pid_ = -1;
    bool ended_ = false;
    int exitCode_ = -1;
    std::string stderrPath_;
};

// Runs a shell command and returns its standard output (for xdotool and the like).
std::string RunCommand(const std::string& command);

// Waits up to `milliseconds` for a visible window whose title contains `title`, gives it the
// keyboard focus and presses `key` (an xdotool key name) in it. False when no such window came.
bool PressKeyInWindow(const std::string& title, const std::string& key, int milliseconds = 10000);
