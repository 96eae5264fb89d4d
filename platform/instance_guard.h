#pragma once
// The single-instance marker of the saver: a per-user name that exists exactly while one saver
// process holds it. The kernel drops it when the process ends, even when it is killed.

#include <string>

// Holds the marker for this process, or learns that another process holds it.
class InstanceGuard {
public:
    // Tries to take the marker `name` for the current user.
    explicit InstanceGuard(const std::string& name);
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard&) = delete;
    InstanceGuard& operator=(const InstanceGuard&) = delete;

    // True when another process holds the marker. When the marker could not be made for any other
    // reason the guard stands aside and this is false, so a broken guard never stops a saver.
    bool otherInstanceRunning() const { return otherRunning_; }
    // True when this process holds the marker.
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
    bool otherRunning_ = false;
};

// Whether some process holds the marker `name` of the current user, without taking it.
bool InstanceMarkerExists(const std::string& name);
