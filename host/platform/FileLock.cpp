#include "host/platform/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <thread>

#include "host/core/ErrorTrap.h"
#include "host/core/RuntimeError.h"
#include "host/platform/DriveMap.h"
#include "host/platform/FileError.h"

namespace host {

FileLock::FileLock(std::string_view lockPath, std::chrono::milliseconds wait) {
    std::filesystem::path native;
    if (!ResumeNext([&] { native = DriveMap::Instance().ToNative(lockPath); })) return;
    const int fd = ::open(native.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return;

    // flock rather than fcntl locks: an fcntl lock belongs to the process and goes away
    // when any descriptor of the file is closed, which a later open and close would do.
    const auto deadline = std::chrono::steady_clock::now() + wait;
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
        const int error = errno;
        if (error == EINTR) continue;
        if ((error != EWOULDBLOCK && error != EAGAIN) || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            if (error == EWOULDBLOCK || error == EAGAIN)
                RaiseFileError(err::PermissionDenied, lockPath, "is held by another program");
            return;  // a file system without locks: go on unlocked, as on a read-only folder
        }
        std::this_thread::sleep_for(pause);
        if (pause < std::chrono::milliseconds(20)) pause *= 2;
    }
    fd_ = fd;
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_);  // closing the descriptor releases the lock
}

}  // namespace host
