#pragma once
// The export-table dialog "Corvane - Export Table": the user picks a folder, types a file
// name and chooses comma (.csv) or tab (.txt); Save writes the selection layer's selected
// rows there as an export table with the display table's field names as column names, and
// closes the dialog. The dialog is made afresh for every opening
// (frmMain.Command11_Click) and shown modally; it remembers nothing between openings.

#include "host/forms/CommandButton.h"
#include "host/forms/DirListBox.h"
#include "host/forms/DriveListBox.h"
#include "host/forms/FileListBox.h"
#include "host/forms/Form.h"
#include "host/forms/Label.h"
#include "host/forms/OptionButton.h"
#include "host/forms/TextBox.h"

class frmLoadDir : public host::Form {
public:
    frmLoadDir();

    // ---- Controls, in focus order (positions and texts in frmLoadDir.cpp) ----
    host::DriveListBox Drive1{*this, "Drive1"};  // drive list
    host::DirListBox Dir1{*this, "Dir1"};        // folder list: the folder it has open receives the table
    host::FileListBox File1{*this, "File1"};     // file list: the files of that folder; clicks do nothing
    host::CommandButton btnSave{*this, "btnSave"};
    host::CommandButton btnCancel{*this, "btnCancel"};
    host::OptionButton Option1{*this, "Option1"};  // "Comma (.csv)"
    host::OptionButton Option2{*this, "Option2"};  // "Tab (.txt)"
    host::Label Label1{*this, "Label1"};           // "Field Delimiter:"
    host::TextBox Text1{*this, "Text1"};           // the file name without extension, "AbuttersList" at first
    host::Label Label2{*this, "Label2"};           // "File Name:"
    host::Label lblExt{*this, "lblExt"};           // the extension Save appends, ".csv" or ".txt"

    // ---- Handlers ----
    void Option1_Click();
    void Option2_Click();
    void Drive1_Change();
    void Dir1_Change();
    void btnSave_Click();
    void btnCancel_Click();

private:
    void Layout();
};
