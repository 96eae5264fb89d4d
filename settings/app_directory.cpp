#include "settings/app_directory.h"

#include <unistd.h>
#include <vector>

namespace {

// The running executable's path, however long: the buffer grows until the link fits.
std::string ExecutablePath()
{
    std::vector<char> buffer(512);
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return {};
        if (static_cast<std::size_t>(n) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

std::string DirectoryWithSeparator(const std::string& executablePath)
{
    const std::size_t slash = executablePath.rfind('/');
    if (slash == std::string::npos)
        return {};
    return executablePath.substr(0, slash + 1);
}

std::string AppDirectory()
{
    return DirectoryWithSeparator(ExecutablePath());
}

std::string SettingsFilePath()
{
    return AppDirectory() + "ScreenSaver.ini";
}
