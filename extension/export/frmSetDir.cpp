#include "extension/export/frmSetDir.h"

#include <cctype>
#include <string>

#include "extension/command/Globals.h"
#include "extension/resources/WindowPictures.h"
#include "extension/shared/ErrorHandling.h"
#include "extension/shared/FormLayout.h"
#include "extension/shared/Tovalin_IO.h"
#include "host/core/ScopedFlag.h"

namespace {

// The dialog reports its errors under this source name.
constexpr const char* kSource = "frmLoadDir";

}  // namespace

frmSetDir::frmSetDir() : host::Form("frmSetDir") {
    SetCaption("Corvane - Set Labels and Reports Directory");
    SetSize(host::Pixels(457), host::Pixels(223));

    PlacePixels(Drive1, 8, 16, 109, 21);
    PlacePixels(Dir1, 8, 56, 221, 126);
    PlacePixels(File1, 240, 56, 209, 123);
    btnSave.SetCaption("Save");
    PlacePixels(btnSave, 361, 192, 85, 25);
    btnCancel.SetCaption("Cancel");
    PlacePixels(btnCancel, 300, 192, 57, 25);
    Label1.SetCaption(
        "Please choose a directory that contains your Labels and Reports documents.  In most cases this will be the "
        "Documents folder that was included with your installation package.");
    PlacePixels(Label1, 128, 8, 313, 41);
    HandPointer(Drive1);
    HandPointer(Dir1);
    HandPointer(File1);
    HandPointer(btnSave);
    HandPointer(btnCancel);

    // Clicks in the file list do nothing: it only shows what the folder holds.
    Drive1.Change = [this] { Drive1_Change(); };
    Dir1.Change = [this] { Dir1_Change(); };
    btnSave.Click = [this] { btnSave_Click(); };
    btnCancel.Click = [this] { btnCancel_Click(); };
}

void frmSetDir::Form_Load() {
    host::ScopedFlag loading(m_bLoading);
    StandardErrorTrap("Form_Load ", kSource, [&] {
        File1.SetPath(gDocumentsFolder);
        Dir1.SetPath(File1.Path());
        std::string drive = gDriveLetter;
        for (char& c : drive) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        Drive1.SetDrive(drive + ":");
    });
}

void frmSetDir::Drive1_Change() {
    // The load shows the Program Files drive without leaving the documents folder, which
    // may lie on another drive.
    if (m_bLoading) return;
    StandardErrorTrap("Drive1_Change ", kSource, [&] { Dir1.SetPath(Drive1.Drive()); });
}

void frmSetDir::Dir1_Change() {
    StandardErrorTrap("Dir1_Change ", kSource, [&] { File1.SetPath(Dir1.Path()); });
}

void frmSetDir::btnSave_Click() {
    StandardErrorTrap("btnSave_Click ", kSource, [&] {
        // The folder the list has open; a drive root already ends in its backslash.
        const std::string folder = Dir1.Path();
        if (!folder.empty()) gDocumentsFolder = WithOneTrailingBackslash(folder);
        Unload();
    });
}

void frmSetDir::btnCancel_Click() {
    StandardErrorTrap("btnCancel_Click ", kSource, [&] { Unload(); });
}
