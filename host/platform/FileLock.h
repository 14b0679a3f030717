#pragma once
// An advisory lock between processes, held on a lock file from construction to
// destruction. Two programs that share a folder (two desktop windows, a script while the
// desktop runs) take the same lock file around a read-and-rewrite of a file there, so one
// never works on a file the other is replacing.
//
// The lock is taken on a lock file of its own, never on the file it guards: that file is
// replaced by a rename, which would leave a lock on its former inode guarding nothing.
// The lock file is created when missing and left in place.

#include <chrono>
#include <string_view>

namespace host {

class FileLock {
public:
    // Locks the file at the drive path, waiting while another holder keeps it, at most
    // `wait`; then error 70 naming the file. Where the lock file cannot be made (a missing
    // or read-only folder, an unmapped drive, a malformed path) no lock is taken: nothing
    // can replace files there either, and the operation that follows raises its own error.
    // Two locks on one file exclude each other within one process too, so they must not
    // be nested.
    explicit FileLock(std::string_view lockPath, std::chrono::milliseconds wait = std::chrono::seconds(10));
    ~FileLock();
    FileLock(FileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    FileLock& operator=(FileLock&&) = delete;

    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace host
