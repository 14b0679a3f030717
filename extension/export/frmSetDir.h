#pragma once
// The documents folder dialog: the user opens the folder that holds the Labels and Reports
// documents and saves it as gDocumentsFolder. It writes no file; the folder reaches
// "config" when the main window unloads. Shown modally by the main window; loaded afresh
// for each use, so it always opens on the current gDocumentsFolder.

#include "host/forms/CommandButton.h"
#include "host/forms/DirListBox.h"
#include "host/forms/DriveListBox.h"
#include "host/forms/FileListBox.h"
#include "host/forms/Form.h"
#include "host/forms/Label.h"

class frmSetDir : public host::Form {
public:
    frmSetDir();

    host::DriveListBox Drive1{*this, "Drive1"};  // drive list
    host::DirListBox Dir1{*this, "Dir1"};        // folder list: the folder Save stores
    host::FileListBox File1{*this, "File1"};     // file list: shows the folder Save would store
    host::CommandButton btnSave{*this, "btnSave"};
    host::CommandButton btnCancel{*this, "btnCancel"};
    host::Label Label1{*this,
                       "Label1"};  // "Please choose a directory that contains your Labels and Reports documents. ..."

    void Form_Load() override;
    void Drive1_Change();
    void Dir1_Change();
    void btnSave_Click();
    void btnCancel_Click();

private:
    // True while the load sets the drive list: that drive is shown, but the folder list
    // stays on the documents folder.
    bool m_bLoading = false;
};
