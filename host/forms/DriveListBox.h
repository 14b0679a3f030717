#pragma once
// A drive list: the mapped drives as "c:", "d:", ... (lower case, in letter order) and the
// chosen drive. Every change of the drive raises Change. When the form loads and no drive
// has been chosen, it shows the drive of the current folder.

#include <functional>
#include <string>
#include <string_view>

#include "host/forms/ListControl.h"

namespace host {

class DriveListBox : public ListControl {
public:
    using ListControl::ListControl;
    std::string_view Kind() const override { return "DriveListBox"; }

    // The chosen drive as "x:"; "" before one is chosen.
    const std::string& Drive() const { return *drive_; }
    // Chooses a drive by the first letter of text ("d:", "D:\x", "d"). Error 68 for a
    // drive that is not mapped, 5 for a text that does not start with a letter.
    void SetDrive(std::string_view text);
    // Lists the drives again (after the drive map changed).
    void Refresh();

    std::function<void()> Change;

protected:
    void FormLoading() override;

private:
    Designed<std::string> drive_{*this};
};

}  // namespace host
