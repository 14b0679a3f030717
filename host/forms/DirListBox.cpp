#include "host/forms/DirListBox.h"

#include <cctype>

#include "host/core/RuntimeError.h"
#include "host/forms/FileListBox.h"
#include "host/platform/DriveMap.h"
#include "host/platform/FileSystem.h"

namespace host {

namespace {

std::vector<std::string> SubFolderPaths(const std::string& folder) {
    std::vector<std::string> paths;
    std::string prefix = folder.back() == '\\' ? folder : folder + '\\';
    for (std::string& name : FileSystem::SubFolders(folder)) paths.push_back(prefix + name);
    return paths;
}

}  // namespace

void DirListBox::SetPath(std::string_view path) {
    const DriveMap& drives = DriveMap::Instance();
    std::string target(path);
    if (path.size() == 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
        // A drive alone: its current folder, which is the process's when that lies there.
        char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
        if (!drives.IsMapped(letter)) RaiseFormError(formerr::DeviceUnavailable);
        const std::string& current = drives.CurrentFolder();
        target = current[0] == letter ? current : std::string{letter, ':', '\\'};
    }
    std::string folder = ListPathForm(target);
    if (!FileSystem::FolderExists(folder)) Raise(err::PathNotFound);
    std::vector<std::string> subFolders = SubFolderPaths(folder);
    bool changed = folder != *path_;
    *path_ = std::move(folder);
    ReplaceItems(std::move(subFolders));
    if (changed) RaiseEvent(Change);
}

void DirListBox::Refresh() {
    if (path_->empty()) return;
    ReplaceItems(SubFolderPaths(*path_));
}

void DirListBox::FormLoading() {
    if (path_->empty()) SetPath(DriveMap::Instance().CurrentFolder());
}

}  // namespace host
