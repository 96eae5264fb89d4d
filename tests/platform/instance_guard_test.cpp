#include "platform/instance_guard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <csignal>
#include <string>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

// A marker name of this test run, so parallel runs and a real saver do not meet.
std::string TestMarker()
{
    return "TarnikGuardTest" + std::to_string(getpid());
}

bool WaitFor(const std::function<bool()>& condition)
{
    for (int i = 0; i < 500; ++i) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(InstanceGuardTest, MarkerExistsExactlyWhileHeld)
{
    const std::string name = TestMarker();
    EXPECT_FALSE(InstanceMarkerExists(name));
    {
        InstanceGuard first(name);
        EXPECT_TRUE(first.held());
        EXPECT_FALSE(first.otherInstanceRunning());
        EXPECT_TRUE(InstanceMarkerExists(name));

        InstanceGuard second(name);
        EXPECT_FALSE(second.held());
        EXPECT_TRUE(second.otherInstanceRunning());
    }
    EXPECT_FALSE(InstanceMarkerExists(name));
    InstanceGuard again(name);
    EXPECT_TRUE(again.held());
}

// A saver killed outright must not leave a marker that keeps every later saver away.
TEST(InstanceGuardTest, MarkerVanishesWhenTheHolderIsKilled)
{
    const std::string name = TestMarker() + "k";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstanceGuard guard(name);
        pause();
        _exit(0);
    }
    ASSERT_TRUE(WaitFor([&] { return InstanceMarkerExists(name); }));
    InstanceGuard blocked(name);
    EXPECT_TRUE(blocked.otherInstanceRunning());

    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WaitFor([&] { return !InstanceMarkerExists(name); }));
    InstanceGuard next(name);
    EXPECT_TRUE(next.held());
}

// The marker must not leak into programs the saver starts, or they would keep it alive.
TEST(InstanceGuardTest, ChildProcessesDoNotInheritTheMarker)
{
    const std::string name = TestMarker() + "e";
    pid_t child = -1;
    {
        InstanceGuard guard(name);
        ASSERT_TRUE(guard.held());
        child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            execl("/bin/sleep", "sleep", "5", static_cast<char*>(nullptr));
            _exit(127);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_FALSE(InstanceMarkerExists(name));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

}  // namespace
