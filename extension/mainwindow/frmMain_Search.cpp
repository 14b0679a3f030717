// frmMain: the Go search over the search list and the buffer-distance box.
#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "extension/command/Globals.h"
#include "extension/mainwindow/frmMain.h"
#include "extension/shared/ErrorHandling.h"
#include "extension/shared/Tovalin_Validation.h"
#include "host/core/ScopedFlag.h"
#include "host/core/Text.h"
#include "host/forms/ListBox.h"
#include "host/platform/MessageBoxes.h"
#include "host/platform/Screen.h"

namespace {

constexpr const char* kSource = "frmMain";

constexpr int kBackspace = 8;
constexpr int kMinus = 45;
constexpr int kPoint = 46;

// The number of characters of a UTF-8 text.
long CharacterCount(std::string_view text) {
    return static_cast<long>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The first count characters of a UTF-8 text (the whole text when it is shorter).
std::string_view LeftCharacters(std::string_view text, long count) {
    std::size_t end = 0;
    for (long seen = 0; end < text.size(); ++end) {
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && seen++ == count) break;
    }
    return text.substr(0, end);
}

// Highlights the first entry of the search list that begins with the text, ignoring case.
// Highlighting raises the list's click, which must not start the buffer-and-select pipeline.
// False when no entry begins so.
bool HighlightFirstMatch(host::ListBox& list, const std::string& search) {
    host::ScopedFlag suppress(gSuppressListClick);
    const long length = CharacterCount(search);
    const std::string upperSearch = host::UpperCase(search);
    for (long i = 0; i < list.ListCount(); ++i) {
        if (host::UpperCase(LeftCharacters(list.List(i), length)) == upperSearch) {
            list.SetListIndex(i);
            return true;
        }
    }
    return false;
}

}  // namespace

void frmMain::Command4_Click() {
    host::Screen& screen = host::Screen::Instance();
    StandardErrorTrap(
        "Command4_Click ", kSource,
        [&] {
            screen.SetMousePointer(host::pointer::Hourglass);
            const std::string search = txtSearch.Text();
            if (search.empty()) {
                screen.SetMousePointer(host::pointer::Default);
                host::ShowMessage("Please enter text to search for");
                return;
            }
            const bool found = HighlightFirstMatch(List1, search);
            screen.SetMousePointer(host::pointer::Default);
            if (!found) host::ShowMessage("No matching feature found");
        },
        [&] { screen.SetMousePointer(host::pointer::Default); });
}

void frmMain::txtBuffer_KeyPress(int& KeyAscii) {
    StandardErrorTrap("txtBuffer_KeyPress ", kSource, [&] {
        if (KeyAscii == kBackspace || KeyAscii == kMinus || (KeyAscii >= '0' && KeyAscii <= '9')) {
            // accepted for now
        } else if (KeyAscii == kPoint) {
            // One point only, also when the one there is selected for replacement.
            if (txtBuffer.Text().find('.') != std::string::npos) KeyAscii = 0;
        } else {
            KeyAscii = 0;
        }
        // A minus only at the very start of the text.
        if (KeyAscii == kMinus && txtBuffer.SelStart() != 0) KeyAscii = 0;

        // Leading zeros go before the key is inserted. The caret and the selection keep
        // their distance from the end of the text, so the key lands where the user aimed.
        std::string text = txtBuffer.Text();
        const std::string stripped = strValidLeadingZero(text);
        if (stripped == txtBuffer.Text()) return;
        const long oldLength = CharacterCount(txtBuffer.Text());
        const long newLength = CharacterCount(stripped);
        const long startFromEnd = oldLength - txtBuffer.SelStart();
        const long endFromEnd = oldLength - (txtBuffer.SelStart() + txtBuffer.SelLength());
        const long start = std::max(0L, newLength - startFromEnd);
        const long end = std::max(start, newLength - endFromEnd);
        txtBuffer.SetText(stripped);
        txtBuffer.SetSelStart(start);
        txtBuffer.SetSelLength(end - start);
    });
}

void frmMain::txtBuffer_LostFocus() {
    StandardErrorTrap("txtBuffer_LostFocus ", kSource, [&] {
        if (txtBuffer.Text().empty()) txtBuffer.SetText("0");
    });
}

void frmMain::txtBuffer_Change() {}
