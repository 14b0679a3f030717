#include "host/platform/FileChannels.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "host/core/RuntimeError.h"
#include "host/platform/DriveMap.h"
#include "host/platform/FileSystem.h"
#include "host/platform/ItemReader.h"

namespace host {

namespace fs = std::filesystem;

namespace {
constexpr int kLowestNumber = 1;
constexpr int kHighestNumber = 511;

void CheckNumber(int number) {
    if (number < kLowestNumber || number > kHighestNumber) Raise(err::BadFileNameOrNumber);
}

// Raises the error for a file that cannot be opened: its folder missing (76) or the file
// a folder (75).
void CheckOpenable(const fs::path& native) {
    std::error_code ec;
    fs::path folder = native.parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ec)) Raise(err::PathNotFound);
    if (!native.has_filename() || fs::is_directory(native, ec)) Raise(err::PathFileAccessError);
}
}  // namespace

struct FileChannels::Channel {
    bool forInput = false;
    std::string data;                   // the whole file, for input
    std::optional<ItemReader> reader;   // reads data
    std::ofstream out;                  // for appending

    void Write(std::string_view bytes) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) Raise(err::PathFileAccessError);
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
    CheckOpenable(native);
    std::error_code ec;
    fs::file_status status = fs::status(native, ec);
    if (!fs::exists(status)) Raise(err::FileNotFound);
    // Only plain files: a pipe or a device would block or never end.
    if (!fs::is_regular_file(status)) Raise(err::PathFileAccessError);

    auto channel = std::make_unique<Channel>();
    channel->forInput = true;
    std::ifstream in(native, std::ios::binary);
    if (!in) Raise(err::PathFileAccessError);
    channel->data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) Raise(err::PathFileAccessError);
    channel->reader.emplace(channel->data);
    channels_[number] = std::move(channel);
}

void FileChannels::OpenForAppend(int number, std::string_view path) {
    CheckFree(number);
    fs::path native = DriveMap::Instance().ToNative(path);
    CheckOpenable(native);
    if (FileSystem::IsReadOnly(path)) Raise(err::PathFileAccessError);
    std::error_code ec;
    if (fs::exists(native, ec) && !fs::is_regular_file(native, ec)) Raise(err::PathFileAccessError);

    auto channel = std::make_unique<Channel>();
    channel->out.open(native, std::ios::binary | std::ios::app);
    if (!channel->out) Raise(errno == EACCES || errno == EROFS ? err::PermissionDenied : err::PathFileAccessError);
    channels_[number] = std::move(channel);
}

void FileChannels::Close(int number) {
    CheckNumber(number);
    channels_.erase(number);
}

void FileChannels::CloseAll() { channels_.clear(); }

bool FileChannels::IsOpen(int number) const { return channels_.count(number) > 0; }

bool FileChannels::Eof(int number) const {
    const Channel& channel = Get(number);
    return !channel.forInput || channel.reader->AtEnd();
}

std::string FileChannels::ReadItem(int number) {
    Channel& channel = Get(number);
    if (!channel.forInput) Raise(err::BadFileMode);
    return channel.reader->Next();
}

void FileChannels::WriteItem(int number, std::string_view text) {
    Channel& channel = Get(number);
    if (channel.forInput) Raise(err::BadFileMode);
    channel.Write(FormatItem(text));
}

void FileChannels::WriteLine(int number, std::string_view text) {
    Channel& channel = Get(number);
    if (channel.forInput) Raise(err::BadFileMode);
    std::string line(text);
    line += "\r\n";
    channel.Write(line);
}

}  // namespace host
