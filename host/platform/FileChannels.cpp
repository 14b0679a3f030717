#include "host/platform/FileChannels.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "host/core/RuntimeError.h"
#include "host/platform/DriveMap.h"
#include "host/platform/FileError.h"
#include "host/platform/FileSystem.h"
#include "host/platform/ItemReader.h"

namespace host {

namespace fs = std::filesystem;

namespace {
constexpr int kLowestNumber = 1;
constexpr int kHighestNumber = 511;
// A channel that replaces its file keeps this much before it writes to the disk.
constexpr std::size_t kReplaceBuffer = 64 * 1024;

void CheckNumber(int number) {
    if (number < kLowestNumber || number > kHighestNumber) Raise(err::BadFileNameOrNumber);
}

// Raises the error for a file that cannot be opened: its folder missing (76) or the file
// a folder (75).
void CheckOpenable(const fs::path& native, std::string_view path) {
    std::error_code ec;
    fs::path folder = native.parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ec))
        RaiseFileError(err::PathNotFound, path, "cannot be reached: its folder does not exist");
    if (!native.has_filename() || fs::is_directory(native, ec))
        RaiseFileError(err::PathFileAccessError, path, "is a folder, not a file");
}

// Checks that a file can be opened for writing: a plain file or none, not read-only.
void CheckWritable(const fs::path& native, std::string_view path, long readOnlyError) {
    CheckOpenable(native, path);
    if (FileSystem::IsReadOnly(path)) RaiseFileError(readOnlyError, path, "is read-only");
    std::error_code ec;
    if (fs::exists(native, ec) && !fs::is_regular_file(native, ec))
        RaiseFileError(err::PathFileAccessError, path, "is not a plain file");
}

// The file a path finally names. A symbolic link, or a chain of them, is followed to its
// end, so that a new version replaces the link's target and the link stays a link; a link
// to nothing gives the path it names, which the write then creates, as a plain write
// through the link would.
fs::path FinalTarget(const fs::path& native, std::string_view path) {
    constexpr int kMostLinks = 40;  // as the system follows at most
    fs::path at = native;
    for (int hop = 0;; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(at, ec))) return at;
        if (hop == kMostLinks) RaiseFileError(ELOOP, path, "could not be opened");
        const fs::path next = fs::read_symlink(at, ec);
        if (ec) RaiseFileError(ec.value(), path, "could not be opened");
        // A relative link names a path from the folder that holds the link.
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
}

constexpr std::string_view kTemporaryPrefix = ".corvane-";
constexpr std::string_view kTemporarySuffix = ".tmp";

// Digits only, without a leading zero, that fit the number type.
template <class Number> bool ReadPlainNumber(std::string_view digits, Number& value) {
    if (digits.empty() || (digits.size() > 1 && digits[0] == '0')) return false;
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return error == std::errc() && end == digits.data() + digits.size();
}

// The process that made a temporary file of this program, from its name
// (".corvane-<process id>-<count>.tmp"), or 0 when the name is not such a file's.
pid_t TemporaryFileOwner(std::string_view name) {
    if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) return 0;
    name = name.substr(kTemporaryPrefix.size(), name.size() - kTemporaryPrefix.size() - kTemporarySuffix.size());
    const std::size_t dash = name.find('-');
    if (dash == std::string_view::npos) return 0;
    pid_t owner = 0;
    unsigned long count = 0;
    if (!ReadPlainNumber(name.substr(0, dash), owner) || !ReadPlainNumber(name.substr(dash + 1), count)) return 0;
    return owner;
}

// Removes the temporary files that writers of this program left in the folder when they
// were killed during a write: those whose process no longer runs. The file of a process
// that runs (this one included) is a write in progress and stays, and so does anything
// else (a folder or a link so named too). A file that cannot be removed is left.
void RemoveLeftoverTemporaries(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const pid_t owner = TemporaryFileOwner(it->path().filename().native());
        if (owner == 0) continue;
        std::error_code statusError;
        if (!fs::is_regular_file(it->symlink_status(statusError))) continue;
        if (::kill(owner, 0) == 0 || errno != ESRCH) continue;
        ::unlink(it->path().c_str());
    }
}

// Creates a new, empty temporary file in the folder of target, named after this process
// and a count, and returns its descriptor; fills temporary with its path. Gives -1 and
// the system's error when no file can be made there.
int CreateTemporaryBeside(const fs::path& target, fs::path& temporary, int& error) {
    static std::atomic<unsigned long> sequence{0};
    error = EEXIST;
    for (int attempt = 0; attempt < 1000 && error == EEXIST; ++attempt) {
        // A leading dot keeps it out of the folder listings while it exists.
        temporary = target.parent_path() / (std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-" +
                                            std::to_string(sequence++) + std::string(kTemporarySuffix));
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        error = errno;
    }
    temporary.clear();
    return -1;
}

// Opens the file itself to be rewritten in place, where its folder takes no new file (a
// folder the user may not write, holding a file the user may). Raises the temporary
// file's error when that is not the cause, or when the file is missing or refuses too.
int OpenInPlace(const fs::path& target, std::string_view path, int temporaryError) {
    if (temporaryError == EACCES || temporaryError == EPERM || temporaryError == EROFS) {
        const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd >= 0) return fd;
    }
    RaiseFileError(temporaryError, path, "could not be written: no file can be made beside it");
}

// Gives the new version of a file the former file's permission bits, and its owner and
// group as far as this process may set them. Where the group cannot be kept, the group's
// bits are left out, so that the new version is open to nobody the former was closed to.
// A new file keeps the mode it was made with (0666 less the umask).
void KeepModeAndOwners(int fd, const fs::path& target) {
    struct stat former {};
    if (::stat(target.c_str(), &former) != 0) return;
    mode_t mode = former.st_mode & 07777;
    if (::fchown(fd, former.st_uid, former.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), former.st_gid) != 0)
        mode &= static_cast<mode_t>(~S_IRWXG);
    // After the owners: a change of owner drops the set-id bits.
    (void)::fchmod(fd, mode);
}
}  // namespace

struct FileChannels::Channel {
    enum class Mode { Input, Append, Replace };
    Mode mode = Mode::Input;
    std::string path;                  // as the caller named it, for messages
    std::string data;                  // the whole file, for input
    std::optional<ItemReader> reader;  // reads data
    int fd = -1;                       // for appending and replacing
    std::string pending;               // written, not yet on the disk (replacing)
    fs::path temporary;                // replacing: the new version until committed
    fs::path target;                   // replacing: the file the new version replaces
    bool inPlace = false;              // replacing by rewriting the file itself

    Channel() = default;
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;
    ~Channel() {
        if (fd >= 0) ::close(fd);
        std::error_code ec;
        if (!temporary.empty()) fs::remove(temporary, ec);
    }

    void Write(std::string_view bytes) {
        if (mode == Mode::Replace) {
            pending += bytes;
            // In place, nothing touches the file before the commit.
            if (pending.size() >= kReplaceBuffer && !inPlace) Flush();
            return;
        }
        WriteOut(bytes);
    }

    void Flush() {
        WriteOut(pending);
        pending.clear();
    }

    void SyncAndClose() {
        if (::fsync(fd) != 0 && errno != EINVAL) RaiseFileError(errno, path, "could not be written");
        const int closing = fd;
        fd = -1;
        if (::close(closing) != 0 && errno != EINTR) RaiseFileError(errno, path, "could not be written");
    }

    // Writes the whole new content over the file itself and cuts it to that length. Room
    // is reserved first where the file system can, and a size beyond the process's file
    // size limit is refused, so that a full disk most often fails before a byte of the
    // former file changes.
    void RewriteInPlace() {
        CheckWritable(target, path, err::PermissionDenied);
        rlimit limit{};
        if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
            pending.size() > limit.rlim_cur)
            RaiseFileError(EFBIG, path, "could not be written");
        const auto size = static_cast<off_t>(pending.size());
        if (size > 0 && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) != 0 && errno != EOPNOTSUPP && errno != ENOSYS)
            RaiseFileError(errno, path, "could not be written");
        Flush();
        if (::ftruncate(fd, size) != 0) RaiseFileError(errno, path, "could not be written");
        SyncAndClose();
    }

    void WriteOut(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t written = ::write(fd, bytes.data(), bytes.size());
            if (written < 0) {
                if (errno == EINTR) continue;
                RaiseFileError(errno, path, "could not be written");
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
    }
};

FileChannels& FileChannels::Instance() {
    static FileChannels instance;
    return instance;
}

FileChannels::FileChannels() = default;
FileChannels::~FileChannels() = default;

void FileChannels::CheckFree(int number) const {
    CheckNumber(number);
    if (channels_.count(number)) Raise(err::FileAlreadyOpen);
}

FileChannels::Channel& FileChannels::Get(int number) const {
    CheckNumber(number);
    auto it = channels_.find(number);
    if (it == channels_.end()) Raise(err::BadFileNameOrNumber);
    return *it->second;
}

void FileChannels::OpenForInput(int number, std::string_view path) {
    CheckFree(number);
    fs::path native = DriveMap::Instance().ToNative(path);
    CheckOpenable(native, path);
    std::error_code ec;
    fs::file_status status = fs::status(native, ec);
    if (!fs::exists(status)) RaiseFileError(err::FileNotFound, path, "does not exist");
    // Only plain files: a pipe or a device would block or never end.
    if (!fs::is_regular_file(status)) RaiseFileError(err::PathFileAccessError, path, "is not a plain file");

    auto channel = std::make_unique<Channel>();
    channel->path = std::string(path);
    std::ifstream in(native, std::ios::binary);
    if (!in) RaiseFileError(err::PathFileAccessError, path, "could not be opened");
    channel->data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) RaiseFileError(err::PathFileAccessError, path, "could not be read");
    channel->reader.emplace(channel->data);
    channels_[number] = std::move(channel);
}

void FileChannels::OpenForAppend(int number, std::string_view path) {
    CheckFree(number);
    fs::path native = DriveMap::Instance().ToNative(path);
    CheckWritable(native, path, err::PathFileAccessError);

    auto channel = std::make_unique<Channel>();
    channel->mode = Channel::Mode::Append;
    channel->path = std::string(path);
    channel->fd = ::open(native.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (channel->fd < 0) RaiseFileError(errno, path, "could not be opened");
    channels_[number] = std::move(channel);
}

void FileChannels::OpenForReplace(int number, std::string_view path) {
    CheckFree(number);
    const fs::path target = FinalTarget(DriveMap::Instance().ToNative(path), path);
    CheckWritable(target, path, err::PermissionDenied);
    RemoveLeftoverTemporaries(target.parent_path());

    auto channel = std::make_unique<Channel>();
    channel->mode = Channel::Mode::Replace;
    channel->path = std::string(path);
    channel->target = target;
    int error = 0;
    channel->fd = CreateTemporaryBeside(target, channel->temporary, error);
    if (channel->fd < 0) {
        channel->fd = OpenInPlace(target, path, error);
        channel->inPlace = true;
    }
    channels_[number] = std::move(channel);
}

void FileChannels::Commit(int number) {
    Channel& open = Get(number);
    if (open.mode != Channel::Mode::Replace) Raise(err::BadFileMode);
    // Out of the table first: whatever fails below, the channel is closed and the
    // temporary file removed when this goes.
    std::unique_ptr<Channel> channel = std::move(channels_[number]);
    channels_.erase(number);
    if (channel->inPlace) {
        channel->RewriteInPlace();
        return;
    }

    channel->Flush();
    KeepModeAndOwners(channel->fd, channel->target);
    // On the disk before it takes the file's place, so that a crash cannot leave a
    // renamed but empty file; some file systems report a full disk only here.
    channel->SyncAndClose();
    // The file may have changed while the channel was open.
    CheckWritable(channel->target, channel->path, err::PermissionDenied);
    if (::rename(channel->temporary.c_str(), channel->target.c_str()) != 0)
        RaiseFileError(errno, channel->path, "could not be replaced");
    channel->temporary.clear();
}

void FileChannels::Close(int number) {
    CheckNumber(number);
    channels_.erase(number);
}

void FileChannels::CloseAll() { channels_.clear(); }

bool FileChannels::IsOpen(int number) const { return channels_.count(number) > 0; }

bool FileChannels::Eof(int number) const {
    const Channel& channel = Get(number);
    return channel.mode != Channel::Mode::Input || channel.reader->AtEnd();
}

std::string FileChannels::ReadItem(int number) {
    Channel& channel = Get(number);
    if (channel.mode != Channel::Mode::Input) Raise(err::BadFileMode);
    return channel.reader->Next();
}

void FileChannels::WriteItem(int number, std::string_view text) {
    Channel& channel = Get(number);
    if (channel.mode == Channel::Mode::Input) Raise(err::BadFileMode);
    channel.Write(FormatItem(text));
}

void FileChannels::WriteLine(int number, std::string_view text) {
    Channel& channel = Get(number);
    if (channel.mode == Channel::Mode::Input) Raise(err::BadFileMode);
    std::string line(text);
    line += "\r\n";
    channel.Write(line);
}

}  // namespace host
