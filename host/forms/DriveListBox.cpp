#include "host/forms/DriveListBox.h"

#include <cctype>

#include "host/core/RuntimeError.h"
#include "host/platform/DriveMap.h"

namespace host {

void DriveListBox::SetDrive(std::string_view text) {
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0])) ||
        static_cast<unsigned char>(text[0]) > 127) {
        Raise(err::InvalidProcedureCall);
    }
    char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    if (!DriveMap::Instance().IsMapped(letter)) RaiseFormError(formerr::DeviceUnavailable);
    if (Update(*drive_, std::string{letter, ':'})) RaiseEvent(Change);
}

void DriveListBox::Refresh() {
    std::vector<std::string> drives;
    for (char letter : DriveMap::Instance().Letters()) {
        drives.push_back(std::string{static_cast<char>(std::tolower(static_cast<unsigned char>(letter))), ':'});
    }
    ReplaceItems(std::move(drives));
}

void DriveListBox::FormLoading() {
    Refresh();
    if (drive_->empty()) SetDrive(DriveMap::Instance().CurrentFolder());
}

}  // namespace host
