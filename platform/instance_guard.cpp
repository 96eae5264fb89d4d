#include "platform/instance_guard.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <string>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// An abstract Unix socket address: it lives in the kernel only, never on disk, and vanishes
// with the last descriptor bound to it, so a killed saver leaves nothing stale behind. The user
// id makes the marker per user, as one user's saver must not block another's.
sockaddr_un MarkerAddress(const std::string& name, socklen_t& length)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string text = name + "." + std::to_string(getuid());
    const size_t size = std::min(text.size(), sizeof(address.sun_path) - 1);
    std::memcpy(address.sun_path + 1, text.data(), size);  // sun_path[0] == 0: abstract
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + size);
    return address;
}

// Binds a socket to the marker: the descriptor on success, -1 with errno set otherwise.
int BindMarker(const std::string& name)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    socklen_t length = 0;
    const sockaddr_un address = MarkerAddress(name, length);
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        const int error = errno;
        close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

}  // namespace

InstanceGuard::InstanceGuard(const std::string& name)
{
    fd_ = BindMarker(name);
    otherRunning_ = fd_ < 0 && errno == EADDRINUSE;
}

InstanceGuard::~InstanceGuard()
{
    if (fd_ >= 0)
        close(fd_);
}

bool InstanceMarkerExists(const std::string& name)
{
    const int fd = BindMarker(name);
    if (fd >= 0) {
        close(fd);
        return false;
    }
    return errno == EADDRINUSE;
}
