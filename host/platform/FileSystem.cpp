#include "host/platform/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <system_error>

#include "host/core/RuntimeError.h"
#include "host/core/Text.h"
#include "host/platform/DriveMap.h"

namespace host {

namespace fs = std::filesystem;

namespace {

// The native path of a drive path, or an empty path when its drive is not mapped.
// Malformed paths raise 52.
fs::path NativeIfMapped(std::string_view path) {
    const DriveMap& drives = DriveMap::Instance();
    std::string absolute = drives.Absolute(path);
    if (!drives.IsMapped(absolute[0])) return {};
    return drives.ToNative(absolute);
}

[[noreturn]] void RaiseFor(const std::error_code& ec, long otherwise) {
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted ||
        ec == std::errc::read_only_file_system)
        Raise(err::PermissionDenied);
    if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory) Raise(err::PathNotFound);
    Raise(otherwise);
}

// Names equal ignoring case keep a fixed order: by their bytes.
bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const int order = CompareIgnoringCase(a, b);
    return order != 0 ? order < 0 : a < b;
}

// True when the name holds a character that a file name on the platform cannot hold.
bool HoldsUnusableCharacter(std::string_view name) {
    return std::any_of(name.begin(), name.end(), [](char ch) {
        return static_cast<unsigned char>(ch) < 32 ||
               std::string_view("\\/:*?\"<>|").find(ch) != std::string_view::npos;
    });
}

// A name that can be written as part of a drive path.
bool Addressable(const std::string& name) { return !name.empty() && name[0] != '.' && !HoldsUnusableCharacter(name); }

std::vector<std::string> List(std::string_view folder, bool wantFolders) {
    fs::path native = DriveMap::Instance().ToNative(folder);
    std::error_code ec;
    if (!fs::is_directory(native, ec)) Raise(err::PathNotFound);
    fs::directory_iterator it(native, ec);
    if (ec) RaiseFor(ec, err::PathFileAccessError);
    std::vector<std::string> names;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) RaiseFor(ec, err::PathFileAccessError);
        std::string name = it->path().filename().string();
        if (!Addressable(name)) continue;
        std::error_code statError;
        fs::file_status status = fs::status(it->path(), statError);
        if (statError) continue;  // a dangling link
        if (wantFolders ? fs::is_directory(status) : fs::is_regular_file(status)) names.push_back(std::move(name));
    }
    if (ec) RaiseFor(ec, err::PathFileAccessError);
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

bool ReadOnly(const fs::path& native) {
    std::error_code ec;
    fs::file_status status = fs::status(native, ec);
    if (ec || !fs::exists(status)) return false;
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

}  // namespace

bool FileSystem::FileExists(std::string_view path) {
    fs::path native = NativeIfMapped(path);
    std::error_code ec;
    return !native.empty() && fs::is_regular_file(native, ec);
}

bool FileSystem::FolderExists(std::string_view path) {
    fs::path native = NativeIfMapped(path);
    std::error_code ec;
    return !native.empty() && fs::is_directory(native, ec);
}

void FileSystem::CreateFolder(std::string_view path) {
    fs::path native = DriveMap::Instance().ToNative(path);
    if (!native.has_filename()) native = native.parent_path();
    std::error_code ec;
    if (fs::exists(fs::symlink_status(native, ec))) Raise(err::FileAlreadyExists);
    if (!fs::is_directory(native.parent_path(), ec)) Raise(err::PathNotFound);
    if (!fs::create_directory(native, ec) || ec) {
        if (ec == std::errc::file_exists) Raise(err::FileAlreadyExists);
        RaiseFor(ec, err::PathFileAccessError);
    }
}

void FileSystem::DeleteFile(std::string_view path) {
    fs::path native = DriveMap::Instance().ToNative(path);
    std::error_code ec;
    if (!fs::is_regular_file(native, ec)) Raise(err::FileNotFound);
    if (ReadOnly(native)) Raise(err::PermissionDenied);
    if (!fs::remove(native, ec) || ec) RaiseFor(ec, err::PathFileAccessError);
}

void FileSystem::ReplaceFile(std::string_view source, std::string_view target) {
    const DriveMap& drives = DriveMap::Instance();
    fs::path from = drives.ToNative(source);
    fs::path to = drives.ToNative(target);
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) Raise(err::FileNotFound);
    if (fs::is_directory(to, ec) || ReadOnly(to)) Raise(err::PermissionDenied);
    fs::rename(from, to, ec);
    if (ec) RaiseFor(ec, err::PathFileAccessError);
}

std::string FileSystem::FileNameProblem(std::string_view folder, std::string_view name) {
    constexpr std::size_t kLongestName = 255;
    if (HoldsUnusableCharacter(name))
        return "a file name cannot contain any of \\ / : * ? \" < > | or control characters";
    if (name.size() > kLongestName) return "a file name can be at most 255 characters long";
    fs::path native;
    // A folder that cannot be translated is left to the operations that follow.
    try {
        native = DriveMap::Instance().ToNative(folder);
    } catch (const RuntimeError&) {
        return {};
    }
    if ((native / std::string(name)).native().size() >= PATH_MAX) return "the whole path would be too long";
    return {};
}

bool FileSystem::IsReadOnly(std::string_view path) {
    fs::path native = NativeIfMapped(path);
    return !native.empty() && ReadOnly(native);
}

void FileSystem::SetReadOnly(std::string_view path, bool readOnly) {
    fs::path native = DriveMap::Instance().ToNative(path);
    std::error_code ec;
    if (!fs::exists(native, ec)) Raise(err::FileNotFound);
    constexpr fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(native, readOnly ? write : fs::perms::owner_write,
                    readOnly ? fs::perm_options::remove : fs::perm_options::add, ec);
    if (ec) RaiseFor(ec, err::PathFileAccessError);
}

std::vector<std::string> FileSystem::Files(std::string_view folder) { return List(folder, false); }

std::vector<std::string> FileSystem::SubFolders(std::string_view folder) { return List(folder, true); }

}  // namespace host
