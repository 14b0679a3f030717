#include "host/platform/FileChannels.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
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

// Creates a new, empty temporary file in the folder of target, named after this process
// and a count, and returns its descriptor; fills temporary with its path.
int CreateTemporaryBeside(const fs::path& target, std::string_view path, fs::path& temporary) {
    static std::atomic<unsigned long> sequence{0};
    for (int attempt = 0; attempt < 1000; ++attempt) {
        // A leading dot keeps it out of the folder listings while it exists.
        temporary = target.parent_path() /
                    (".corvane-" + std::to_string(::getpid()) + "-" + std::to_string(sequence++) + ".tmp");
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) RaiseFileError(errno, path, "could not be written: no file can be made beside it");
    }
    RaiseFileError(EEXIST, path, "could not be written: no file can be made beside it");
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
    fs::path target;

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
            if (pending.size() >= kReplaceBuffer) Flush();
            return;
        }
        WriteOut(bytes);
    }

    void Flush() {
        WriteOut(pending);
        pending.clear();
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
    fs::path native = DriveMap::Instance().ToNative(path);
    CheckWritable(native, path, err::PermissionDenied);

    auto channel = std::make_unique<Channel>();
    channel->mode = Channel::Mode::Replace;
    channel->path = std::string(path);
    channel->target = native;
    channel->fd = CreateTemporaryBeside(native, path, channel->temporary);
    channels_[number] = std::move(channel);
}

void FileChannels::Commit(int number) {
    Channel& open = Get(number);
    if (open.mode != Channel::Mode::Replace) Raise(err::BadFileMode);
    // Out of the table first: whatever fails below, the channel is closed and the
    // temporary file removed when this goes.
    std::unique_ptr<Channel> channel = std::move(channels_[number]);
    channels_.erase(number);

    channel->Flush();
    // On the disk before it takes the file's place, so that a crash cannot leave a
    // renamed but empty file; some file systems report a full disk only here.
    if (::fsync(channel->fd) != 0 && errno != EINVAL) RaiseFileError(errno, channel->path, "could not be written");
    const int fd = channel->fd;
    channel->fd = -1;
    if (::close(fd) != 0 && errno != EINTR) RaiseFileError(errno, channel->path, "could not be written");
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
