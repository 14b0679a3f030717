#pragma once
// A folder list: its current folder (a full drive path) and, as its entries, the full
// paths of that folder's sub-folders that are not hidden, in order ignoring case. Every
// change of the current folder, by the user opening a folder or by code, raises Change.
// When the form loads and no folder has been set, it opens the current folder.

#include <functional>
#include <string>
#include <string_view>

#include "host/forms/ListControl.h"

namespace host {

class DirListBox : public ListControl {
public:
    using ListControl::ListControl;
    std::string_view Kind() const override { return "DirListBox"; }

    // The current folder without a trailing "\" (but "C:\" for a root); "" before one is
    // set.
    const std::string& Path() const { return *path_; }
    // Opens a folder. A drive alone ("d:") opens that drive's current folder: the current
    // folder when it lies on that drive, else its root. Relative paths join the current
    // folder. Error 52 for a malformed path, 68 for a drive that is not mapped, 76 for a
    // folder that does not exist; the list then stays as it was.
    void SetPath(std::string_view path);
    // Reads the sub-folders again. Error 76 when the folder no longer exists.
    void Refresh();

    std::function<void()> Change;

protected:
    void FormLoading() override;

private:
    Designed<std::string> path_{*this};
};

}  // namespace host
