#include "settings/file_replacement.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

// The real file behind a symbolic link, so a replacement renames over the target and the link
// stays a link. A dangling link or a plain path comes back unchanged.
std::string ResolveTarget(const std::string& path)
{
    struct stat link {};
    if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool OwnerMayWrite(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && (st.st_mode & S_IWUSR) != 0 &&
           access(path.c_str(), W_OK) == 0;
}

bool WriteAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Creates an unused hidden temporary file beside `target`. open() with mode 0666 lets the umask
// decide a new file's permissions, as for any file the user creates.
int CreateTemporary(const std::string& target, std::string& tempPath)
{
    static std::atomic<unsigned> counter{0};
    const std::string folder = FolderOf(target);
    const std::size_t slash = target.rfind('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "/." + name + "." + std::to_string(getpid()) + "-" +
                   std::to_string(counter++) + ".tmp";
        const int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Gives the new file the old one's owner. Only a privileged process may; any other keeps its own
// ownership, which is what a rewrite by that user would have produced anyway.
void KeepOwner(int fd, const struct stat& old)
{
    if (fchown(fd, old.st_uid, old.st_gid) != 0)
        return;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        throw std::system_error(errno, std::generic_category(), "cannot read " + path);
    }
    std::string bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            close(fd);
            throw std::system_error(error, std::generic_category(), "cannot read " + path);
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    close(fd);
    return bytes;
}

bool IsWriteProtected(const std::string& path)
{
    const std::string target = ResolveTarget(path);
    struct stat st {};
    if (stat(target.c_str(), &st) == 0 && !OwnerMayWrite(target))
        return true;
    // Replacing a file, like creating one, needs a writable folder.
    return !OwnerMayWrite(FolderOf(target));
}

bool ReplaceFile(const std::string& path, const std::string& bytes, Durability durability)
{
    const std::string target = ResolveTarget(path);
    if (IsWriteProtected(target))
        return false;
    struct stat old {};
    const bool existed = stat(target.c_str(), &old) == 0;
    if (existed && !S_ISREG(old.st_mode))
        return false;

    std::string tempPath;
    const int fd = CreateTemporary(target, tempPath);
    if (fd < 0)
        return false;
    bool ok = true;
    if (existed) {
        ok = fchmod(fd, old.st_mode & 07777) == 0;
        if (ok && (old.st_uid != geteuid() || old.st_gid != getegid()))
            KeepOwner(fd, old);
    }
    ok = ok && WriteAll(fd, bytes);
    if (ok && durability == Durability::FlushThenRename)
        ok = fdatasync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    ok = ok && rename(tempPath.c_str(), target.c_str()) == 0;
    if (!ok)
        unlink(tempPath.c_str());
    return ok;
}
