#pragma once
// Failing writes for tests: a limit on file sizes that makes writes fail at the system call
// on any file system, a small tmpfs filled to the last byte where one can be mounted, and a
// folder that takes no new file.

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace support {

// While it lives, writes of this process beyond the first `bytes` bytes of any file fail
// (the system call gives "File too large"), as a full disk makes them fail part-way.
class WriteLimit {
public:
    explicit WriteLimit(rlim_t bytes);
    ~WriteLimit();
    WriteLimit(const WriteLimit&) = delete;
    WriteLimit& operator=(const WriteLimit&) = delete;

private:
    rlimit saved_{};
    struct sigaction savedAction_ {};
};

// A small tmpfs mounted on an empty folder and filled up: no byte can be written to it.
class FullFileSystem {
public:
    // Mounts it on the folder (which must exist), or gives nothing and the reason (not
    // root, no right to mount, as in most containers).
    static std::unique_ptr<FullFileSystem> Mount(const std::filesystem::path& folder, std::string& whyNot);
    ~FullFileSystem();
    FullFileSystem(const FullFileSystem&) = delete;
    FullFileSystem& operator=(const FullFileSystem&) = delete;

    // Writes a filler file until the disk is full.
    void Fill() const;

private:
    explicit FullFileSystem(std::filesystem::path folder) : folder_(std::move(folder)) {}
    std::filesystem::path folder_;
};

// A folder that takes no new file while the files in it stay writable: its write permission
// is taken away, or, for root (whom permissions do not stop), it is made immutable. Put
// back when this goes.
class ClosedFolder {
public:
    // Closes the folder, or gives nothing and the reason (root where the folder's file
    // system or the process's rights allow no immutable flag).
    static std::unique_ptr<ClosedFolder> Close(const std::filesystem::path& folder, std::string& whyNot);
    ~ClosedFolder();
    ClosedFolder(const ClosedFolder&) = delete;
    ClosedFolder& operator=(const ClosedFolder&) = delete;

private:
    ClosedFolder(std::filesystem::path folder, std::optional<std::filesystem::perms> former)
        : folder_(std::move(folder)), former_(former) {}
    std::filesystem::path folder_;
    std::optional<std::filesystem::perms> former_;  // its permissions, or made immutable
};

}  // namespace support
