#pragma once
// Small file helpers for tests: a temporary folder that cleans up after itself, and whole-file
// byte reads and writes for byte-exact fixtures.

#include <string>

// A fresh folder under the system's temporary directory, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's path, without a trailing separator.
    const std::string& path() const { return path_; }
    // path() + "/" + name.
    std::string file(const std::string& name) const;

private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
