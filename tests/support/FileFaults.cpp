#include "tests/support/FileFaults.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace support {

WriteLimit::WriteLimit(rlim_t bytes) {
    // Past the limit the system sends SIGXFSZ, which would end the process; ignored, the
    // write fails with EFBIG instead.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &savedAction_);
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

WriteLimit::~WriteLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    sigaction(SIGXFSZ, &savedAction_, nullptr);
}

std::unique_ptr<FullFileSystem> FullFileSystem::Mount(const std::filesystem::path& folder, std::string& whyNot) {
    if (geteuid() != 0) {
        whyNot = "mounting a small tmpfs needs root";
        return nullptr;
    }
    if (mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k,mode=0777") != 0) {
        whyNot = std::string("a small tmpfs cannot be mounted here: ") + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<FullFileSystem>(new FullFileSystem(folder));
}

FullFileSystem::~FullFileSystem() { umount2(folder_.c_str(), MNT_DETACH); }

void FullFileSystem::Fill() const {
    const int fd = ::open((folder_ / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    const std::string chunk(512, 'x');
    while (::write(fd, chunk.data(), chunk.size()) > 0) {
    }
    // The last partial chunk: byte by byte to the very end.
    while (::write(fd, "x", 1) > 0) {
    }
    ::close(fd);
}

namespace {
// Sets or clears the immutable flag of a folder; the system's error, 0 when done.
int SetImmutable(const std::filesystem::path& folder, bool immutable) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int flags = 0;
    int error = 0;
    if (ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) error = errno;
    flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    if (error == 0 && ioctl(fd, FS_IOC_SETFLAGS, &flags) != 0) error = errno;
    ::close(fd);
    return error;
}
}  // namespace

std::unique_ptr<ClosedFolder> ClosedFolder::Close(const std::filesystem::path& folder, std::string& whyNot) {
    namespace fs = std::filesystem;
    if (geteuid() != 0) {
        const fs::perms former = fs::status(folder).permissions();
        fs::permissions(folder, fs::perms(0222), fs::perm_options::remove);
        return std::unique_ptr<ClosedFolder>(new ClosedFolder(folder, former));
    }
    if (const int error = SetImmutable(folder, true); error != 0) {
        whyNot = std::string("root writes in any folder, and this one cannot be made immutable: ");
        whyNot += std::strerror(error);
        return nullptr;
    }
    return std::unique_ptr<ClosedFolder>(new ClosedFolder(folder, std::nullopt));
}

ClosedFolder::~ClosedFolder() {
    if (former_)
        std::filesystem::permissions(folder_, *former_);
    else
        SetImmutable(folder_, false);
}

}  // namespace support
