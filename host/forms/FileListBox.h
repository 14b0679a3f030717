#pragma once
// A file list: the names (without folder) of the files of one folder that are not hidden
// (on this platform a hidden file is one whose name starts with "."), in order ignoring
// case; sub-folders are not listed. The folder is a drive path. When the form loads and
// no folder has been set, the list shows the current folder.

#include <string>
#include <string_view>

#include "host/forms/ListControl.h"

namespace host {

class FileListBox : public ListControl {
public:
    using ListControl::ListControl;
    std::string_view Kind() const override { return "FileListBox"; }

    // The folder as a full drive path without a trailing "\" (but "C:\" for a root);
    // "" before one is set.
    const std::string& Path() const { return *path_; }
    // Points the list at a folder (relative paths join the current folder) and reads it.
    // Error 52 for a malformed path, 76 for a folder that does not exist; the list then
    // stays as it was.
    void SetPath(std::string_view path);
    // Reads the folder again from the disk (nothing chosen afterwards). Error 76 when it
    // no longer exists; the list then stays as it was.
    void Refresh();

protected:
    void FormLoading() override;

private:
    Designed<std::string> path_{*this};
};

// A folder path in the form the file-system lists report it: absolute, upper-case drive,
// no trailing "\" except for a drive root. Error 52 for a malformed path.
std::string ListPathForm(std::string_view path);

}  // namespace host
