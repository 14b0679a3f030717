#include "host/platform/FileLock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>

#include "host/core/RuntimeError.h"
#include "tests/support/HeadlessTest.h"

namespace {

using namespace std::chrono_literals;

using FileLockTest = support::HeadlessTest;

// The error a second lock on the file meets within a short wait; 0 when it gets the lock.
long SecondLockError() {
    try {
        const host::FileLock second("C:\\config.lock", 50ms);
        return second.Held() ? 0 : -1;
    } catch (const host::RuntimeError& e) {
        EXPECT_EQ(e.Description(), "Permission denied: \"C:\\config.lock\" is held by another program");
        return e.Number();
    }
}

// The lock is exclusive: while one holder keeps it, another (in this process or another
// one) waits and gives up with error 70; once it is let go the next holder gets it.
TEST_F(FileLockTest, ASecondHolderWaitsWhileTheFirstKeepsTheLock) {
    std::optional<host::FileLock> first;
    first.emplace("C:\\config.lock");
    ASSERT_TRUE(first->Held());
    EXPECT_EQ(SecondLockError(), 70);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(SecondLockError() == 70 ? 0 : 1);
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(status, 0) << "another process waits too";

    first.reset();
    EXPECT_EQ(SecondLockError(), 0);
    // Where no lock file can be made, nothing is locked and nothing is raised.
    EXPECT_FALSE(host::FileLock("C:\\No Such Folder\\config.lock").Held());
}

}  // namespace
