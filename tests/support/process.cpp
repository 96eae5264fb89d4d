#include "support/process.h"

#include "support/temp_dir.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

std::string SaverExecutable()
{
    const char* path = std::getenv("TARNIK_SAVER");
    if (!path || !*path)
        throw std::runtime_error("TARNIK_SAVER is not set");
    return path;
}

std::string CopySaverInto(const std::string& folder)
{
    const std::string target = folder + "/tarnik-saver";
    std::filesystem::copy_file(SaverExecutable(), target,
                               std::filesystem::copy_options::overwrite_existing);
    return target;
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments)
{
    char pattern[] = "/tmp/tarnik-stderr-XXXXXX";
    const int errFd = mkstemp(pattern);
    if (errFd < 0)
        throw std::runtime_error("cannot create a file for stderr");
    stderrPath_ = pattern;
    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        dup2(errFd, STDERR_FILENO);
        // The test program itself runs offscreen; the program under test must reach the X server.
        unsetenv("QT_QPA_PLATFORM");
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(errFd);
}

ChildProcess::~ChildProcess()
{
    if (pid_ > 0 && !ended_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    std::remove(stderrPath_.c_str());
}

bool ChildProcess::waitForExit(int milliseconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!ended_) {
        int status = 0;
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            ended_ = true;
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

bool ChildProcess::running()
{
    return !waitForExit(0);
}

std::string ChildProcess::standardError() const
{
    return ReadFileBytes(stderrPath_);
}

std::string RunCommand(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    pclose(pipe);
    return output;
}

bool PressKeyInWindow(const std::string& title, const std::string& key, int milliseconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        // Only mapped windows take the focus; Qt also keeps small unmapped helper windows with
        // the application's name.
        const std::string found =
            RunCommand("xdotool search --onlyvisible --name '" + title + "' 2>/dev/null | head -n 1");
        if (!found.empty()) {
            const std::string id = found.substr(0, found.find_first_of("\r\n"));
            RunCommand("xdotool windowfocus --sync " + id + " key --clearmodifiers " + key +
                       " 2>/dev/null");
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}
