#include "host/platform/DriveMap.h"

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "host/core/RuntimeError.h"

namespace host {

namespace fs = std::filesystem;

namespace {

char UpperLetter(char letter) {
    auto c = static_cast<unsigned char>(letter);
    if (!std::isalpha(c) || c > 127) Raise(err::InvalidProcedureCall);
    return static_cast<char>(std::toupper(c));
}

// A name that a drive path may hold: no control characters, no colon and none of < > " | ? *.
bool IsValidName(std::string_view name) {
    for (char ch : name) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 32) return false;
        switch (ch) {
        case ':':
        case '<':
        case '>':
        case '"':
        case '|':
        case '?':
        case '*':
        case '\\':
        case '/': return false;
        default: break;
        }
    }
    return true;
}

std::vector<std::string> SplitNames(std::string_view path) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        names.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

// Folder as kept in the map: absolute, normal, no trailing separator (except the root).
fs::path Normalised(const fs::path& folder) {
    fs::path p = fs::absolute(folder).lexically_normal();
    if (!p.has_filename() && p != p.root_path()) p = p.parent_path();
    return p;
}

}  // namespace

DriveMap& DriveMap::Instance() {
    static DriveMap instance = [] {
        DriveMap m;
        m.UseDefaults();
        return m;
    }();
    return instance;
}

DriveMap::DriveMap() = default;

void DriveMap::Map(char letter, const fs::path& folder) {
    drives_[UpperLetter(letter)] = Normalised(folder);
    KeepCurrentOnAMappedDrive();
}

void DriveMap::Unmap(char letter) {
    drives_.erase(UpperLetter(letter));
    KeepCurrentOnAMappedDrive();
}

// Relative paths (the extension's "Documents\" and "fields" when no product folder was
// found) must land in a folder that exists, as a process's current folder always does.
void DriveMap::KeepCurrentOnAMappedDrive() {
    if (drives_.empty() || IsMapped(current_[0])) return;
    const char letter = drives_.count('C') ? 'C' : drives_.begin()->first;
    current_ = std::string{letter, ':', '\\'};
}

void DriveMap::Clear() {
    drives_.clear();
    current_ = "C:\\";
}

void DriveMap::UseDefaults() {
    Clear();
    Map('C', DefaultDriveC());
    Map('Z', "/");
}

void DriveMap::PrepareDefaultDrives() {
    UseDefaults();
    std::error_code ec;
    fs::create_directories(Folder('C') / "Program Files", ec);
}

fs::path DriveMap::DefaultDriveC() {
    fs::path data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg && fs::path(xdg).is_absolute()) {
        data = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) {
            const passwd* pw = getpwuid(getuid());
            home = pw ? pw->pw_dir : "/tmp";
        }
        data = fs::path(home) / ".local" / "share";
    }
    return data / "corvane" / "drive_c";
}

std::string DriveMap::Letters() const {
    std::string letters;
    for (const auto& entry : drives_) letters += entry.first;
    return letters;
}

bool DriveMap::IsMapped(char letter) const {
    auto c = static_cast<unsigned char>(letter);
    return std::isalpha(c) && c < 128 && drives_.count(static_cast<char>(std::toupper(c))) > 0;
}

fs::path DriveMap::Folder(char letter) const {
    if (!IsMapped(letter)) Raise(err::PathNotFound);
    return drives_.at(static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
}

void DriveMap::SetCurrentFolder(std::string_view windowsPath) {
    std::string folder = Absolute(windowsPath);
    if (folder.back() != '\\') folder += '\\';
    current_ = std::move(folder);
}

std::string DriveMap::Absolute(std::string_view windowsPath) const {
    if (windowsPath.empty()) Raise(err::BadFileNameOrNumber);
    std::string path(windowsPath);
    for (char& c : path)
        if (c == '/') c = '\\';
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') Raise(err::BadFileNameOrNumber);

    char drive = current_[0];
    std::string rest;
    std::vector<std::string> names;
    if (path.size() >= 2 && path[1] == ':') {
        auto c = static_cast<unsigned char>(path[0]);
        if (!std::isalpha(c) || c > 127) Raise(err::BadFileNameOrNumber);
        drive = static_cast<char>(std::toupper(c));
        rest = path.substr(2);
        // "C:name" is relative to the current folder when C: is the current drive, else
        // to the drive's root.
        if (!rest.empty() && rest[0] != '\\' && drive == current_[0]) names = SplitNames(current_.substr(3));
    } else if (path[0] == '\\') {
        rest = path;
    } else {
        rest = path;
        names = SplitNames(current_.substr(3));
    }
    bool trailing = !rest.empty() && rest.back() == '\\';

    std::vector<std::string> out;
    for (auto& n : names)
        if (!n.empty()) out.push_back(n);
    for (const std::string& name : SplitNames(rest)) {
        if (name.empty() || name == ".") continue;
        if (name == "..") {
            if (!out.empty()) out.pop_back();
            continue;
        }
        if (!IsValidName(name)) Raise(err::BadFileNameOrNumber);
        out.push_back(name);
    }

    std::string result{drive, ':', '\\'};
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (i) result += '\\';
        result += out[i];
    }
    if (trailing && !out.empty()) result += '\\';
    return result;
}

fs::path DriveMap::ToNative(std::string_view windowsPath) const {
    std::string absolute = Absolute(windowsPath);
    fs::path native = Folder(absolute[0]);
    std::string_view rest = std::string_view(absolute).substr(3);
    if (rest.empty()) return native;
    bool trailing = rest.back() == '\\';
    if (trailing) rest.remove_suffix(1);
    for (const std::string& name : SplitNames(rest)) native /= name;
    if (trailing) native /= "";
    return native;
}

std::string DriveMap::ToWindows(const fs::path& native) const {
    fs::path p = fs::absolute(native).lexically_normal();
    bool trailing = !p.has_filename() && p != p.root_path();
    if (trailing) p = p.parent_path();

    char best = 0;
    std::size_t bestDepth = 0;
    fs::path bestRelative;
    for (const auto& [letter, folder] : drives_) {
        fs::path relative = p.lexically_relative(folder);
        if (relative.empty() || *relative.begin() == "..") continue;
        std::size_t depth = static_cast<std::size_t>(std::distance(folder.begin(), folder.end()));
        if (!best || depth > bestDepth) {
            best = letter;
            bestDepth = depth;
            bestRelative = relative;
        }
    }
    if (!best) Raise(err::PathNotFound);

    std::string result{best, ':', '\\'};
    bool first = true;
    for (const fs::path& part : bestRelative) {
        std::string name = part.string();
        if (name == "." || name.empty()) continue;
        if (!IsValidName(name)) Raise(err::BadFileNameOrNumber);
        if (!first) result += '\\';
        result += name;
        first = false;
    }
    if (trailing && !first) result += '\\';
    return result;
}

}  // namespace host
