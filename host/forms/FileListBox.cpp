#include "host/forms/FileListBox.h"

#include "host/core/ErrorTrap.h"
#include "host/platform/DriveMap.h"
#include "host/platform/FileSystem.h"

namespace host {

std::string ListPathForm(std::string_view path) {
    std::string absolute = DriveMap::Instance().Absolute(path);
    if (absolute.size() > 3 && absolute.back() == '\\') absolute.pop_back();
    return absolute;
}

void FileListBox::SetPath(std::string_view path) {
    std::string folder = ListPathForm(path);
    std::vector<std::string> files = FileSystem::Files(folder);
    *path_ = std::move(folder);
    ReplaceItems(std::move(files));
}

void FileListBox::Refresh() {
    if (path_->empty()) return;
    ReplaceItems(FileSystem::Files(*path_));
}

void FileListBox::FormLoading() {
    if (path_->empty()) SetPath(DriveMap::Instance().CurrentFolder());
}

}  // namespace host
