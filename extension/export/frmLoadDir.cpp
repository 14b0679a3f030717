// frmLoadDir: the export-table dialog.
#include "extension/export/frmLoadDir.h"

#include <string>

#include "extension/command/Globals.h"
#include "extension/export/ExportAllValues.h"
#include "extension/mainwindow/frmMain.h"
#include "extension/shared/ErrorHandling.h"
#include "extension/shared/FormLayout.h"
#include "extension/shared/Tovalin_IO.h"
#include "host/platform/FileSystem.h"
#include "host/platform/MessageBoxes.h"

namespace {

constexpr const char* kSource = "frmLoadDir";

void BoldLabel(host::Label& label, const char* caption) {
    label.SetCaption(caption);
    host::Font font = label.Font();
    font.bold = true;
    label.SetFont(font);
}

// Nothing, blanks, "." or ".." and any other name of dots and blanks only would give a
// hidden file (".csv", "...csv") or one whose name shows as blanks.
std::string TypedNameProblem(const std::string& typed) {
    if (typed.find_first_not_of(". ") != std::string::npos) return {};
    return "a file name needs a character other than dots and blanks";
}

}  // namespace

frmLoadDir::frmLoadDir() : host::Form("frmLoadDir") {
    Layout();
    Option1.Click = [this] { Option1_Click(); };
    Option2.Click = [this] { Option2_Click(); };
    Drive1.Change = [this] { Drive1_Change(); };
    Dir1.Change = [this] { Dir1_Change(); };
    btnSave.Click = [this] { btnSave_Click(); };
    btnCancel.Click = [this] { btnCancel_Click(); };
}

void frmLoadDir::Layout() {
    SetCaption("Corvane - Export Table");
    SetSize(host::Pixels(457), host::Pixels(226));

    // The drive, folder and file lists open on the process's current folder when the
    // dialog loads.
    PlacePixels(Drive1, 8, 8, 109, 21);
    PlacePixels(Dir1, 8, 30, 221, 126);
    PlacePixels(File1, 236, 32, 209, 123);
    for (host::Control* control :
         {static_cast<host::Control*>(&Drive1), static_cast<host::Control*>(&Dir1), static_cast<host::Control*>(&File1),
          static_cast<host::Control*>(&btnSave), static_cast<host::Control*>(&btnCancel)})
        HandPointer(*control);

    btnSave.SetCaption("Save");
    btnSave.SetDefault(true);
    PlacePixels(btnSave, 361, 192, 85, 25);
    btnCancel.SetCaption("Cancel");
    btnCancel.SetCancel(true);
    PlacePixels(btnCancel, 300, 192, 57, 25);

    Option1.SetCaption("Comma (.csv)");
    Option1.SetValue(true);
    PlacePixels(Option1, 104, 200, 93, 17);
    Option2.SetCaption("Tab (.txt)");
    PlacePixels(Option2, 208, 200, 81, 17);
    BoldLabel(Label1, "Field Delimiter:");
    PlacePixels(Label1, 8, 200, 93, 17);

    Text1.SetText("AbuttersList");
    PlacePixels(Text1, 104, 168, 157, 21);
    BoldLabel(Label2, "File Name:");
    PlacePixels(Label2, 8, 168, 81, 17);
    lblExt.SetCaption(".csv");
    PlacePixels(lblExt, 264, 172, 25, 17);
}

void frmLoadDir::Option1_Click() { lblExt.SetCaption(".csv"); }

void frmLoadDir::Option2_Click() { lblExt.SetCaption(".txt"); }

void frmLoadDir::Drive1_Change() {
    StandardErrorTrap("Drive1_Change ", kSource, [&] { Dir1.SetPath(Drive1.Drive()); });
}

void frmLoadDir::Dir1_Change() {
    StandardErrorTrap("Dir1_Change ", kSource, [&] { File1.SetPath(Dir1.Path()); });
}

void frmLoadDir::btnSave_Click() {
    StandardErrorTrap("btnSave_Click ", kSource, [&] {
        // The name as typed: an extension typed into it stays part of the name.
        const std::string fileName = Text1.Text();
        const char* extension = "";
        const char* delimiter = "";
        if (Option1.Value()) {
            extension = ".csv";
            delimiter = ",";
        }
        if (Option2.Value()) {
            extension = ".txt";
            delimiter = "\t";
        }
        const std::string folder = Dir1.Path();
        const std::string name = fileName + extension;
        // A name the platform cannot use, or one that makes no visible file, gets one
        // message, and the dialog stays open for another, as after answering No below.
        std::string problem = TypedNameProblem(fileName);
        if (problem.empty()) problem = host::FileSystem::FileNameProblem(folder, name);
        if (!problem.empty()) {
            host::ShowMessage("Cannot save the table as \"" + name + "\": " + problem + ". Please type another name.");
            return;
        }
        // A drive root (D:\) already ends in its backslash.
        const std::string path = WithOneTrailingBackslash(folder) + name;

        // The old file stays until the export has a whole table to put in its place.
        if (fDoesFileExist(path) && host::AskYesNo("File already exists. Overwrite?") != host::MessageBoxAnswer::Yes)
            return;

        ExportAllValues(path, delimiter, "\"", gMainForm->Check1.Value() != 0, gMainForm->List1.Text(), false,
                        "nothing");
        Unload();
    });
}

void frmLoadDir::btnCancel_Click() {
    StandardErrorTrap("btnCancel_Click ", kSource, [&] { Unload(); });
}
