#include "tests/support/FileFaults.h"

#include <fcntl.h>
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

}  // namespace support
