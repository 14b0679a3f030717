#pragma once
// The main window: layer pickers, the buffer box and search list, the export buttons and the
// selection count. It lives in a modeless host frame that Frame() creates on first demand.
//
// The layout and the wiring of every control event live in frmMain.cpp. The handlers are
// spread over files by subject:
//   frmMain_Settings.cpp   load, unload and the pickers
//   frmMain_Search.cpp     the Go search and the buffer-distance box
//   frmMain_Pipeline.cpp   the list click, Buffer Selected Features, Clear, Erase Buffer
//   frmMain_Documents.cpp  the documents list and its folder button
//   frmMain_Export.cpp     View Report, Configure, Export Table
//   frmMain_Help.cpp       the help button

#include "host/core/Ref.h"
#include "host/forms/CheckBox.h"
#include "host/forms/ComboBox.h"
#include "host/forms/CommandButton.h"
#include "host/forms/FileListBox.h"
#include "host/forms/Form.h"
#include "host/forms/Frame.h"
#include "host/forms/HostFrame.h"
#include "host/forms/Image.h"
#include "host/forms/Label.h"
#include "host/forms/ListBox.h"
#include "host/forms/OptionButton.h"
#include "host/forms/TextBox.h"

class frmMain : public host::Form {
public:
    frmMain();

    // The window's host frame, created (which loads the window) and captioned with the
    // product name on the first call; the same frame afterwards. No object when it could not
    // be created.
    host::Ref<host::HostFrame> Frame();

    // ---- Controls (positions and texts in frmMain.cpp) ----
    // 1 - Layers
    host::Frame Frame2{*this, "Frame2"};           // frame "1 - Layers"
    host::Label Label3{*this, "Label3", &Frame2};  // "Buffer Layer:"
    host::ComboBox cboBufferLayer{*this, "cboBufferLayer", &Frame2};
    host::Label Label6{*this, "Label6", &Frame2};  // "Search Field:"
    host::ComboBox cboSearchField{*this, "cboSearchField", &Frame2};
    host::Label Label14{*this, "Label14", &Frame2};  // "Selection Layer:"
    host::ComboBox cboSelectionLayer{*this, "cboSelectionLayer", &Frame2};
    // 2 - Buffer
    host::Frame Frame6{*this, "Frame6"};             // frame "2 - Buffer"
    host::Label Label12{*this, "Label12", &Frame6};  // "Buffer Distance:"
    host::TextBox txtBuffer{*this, "txtBuffer", &Frame6};
    host::CommandButton Command3{*this, "Command3",
                                 &Frame6};  // "Erase Buffer": deletes the graphics, keeps the selection
    host::CommandButton btnBufferSelected{*this, "btnBufferSelected", &Frame6};
    host::Label Label10{*this, "Label10", &Frame6};  // "Click item to Zoom and Buffer:"
    host::Label Label11{*this, "Label11", &Frame6};  // " Search:"
    host::TextBox txtSearch{*this, "txtSearch", &Frame6};
    host::CommandButton Command4{*this, "Command4", &Frame6};  // "Go": finds the search text in the list
    host::ListBox List1{*this, "List1", &Frame6};  // the search list: a click runs the buffer-and-select pipeline
    // 3 - Export
    host::Frame Frame7{*this, "Frame7"};                         // frame "3 - Export"
    host::Label Label16{*this, "Label16", &Frame7};              // "Labels and Reports:"
    host::CommandButton Command15{*this, "Command15", &Frame7};  // folder picture, "Set documents directory"
    host::ComboBox cboDocs{*this, "cboDocs", &Frame7};
    host::CommandButton Command1{*this, "Command1", &Frame7};    // "View Report"
    host::CommandButton Command8{*this, "Command8", &Frame7};    // "Configure": the field configuration dialog
    host::CheckBox Check1{*this, "Check1", &Frame7};             // "Exclude buffered features from export"
    host::CommandButton Command11{*this, "Command11", &Frame7};  // "Export Table"
    host::CommandButton btnExportToLayer{*this, "btnExportToLayer", &Frame7};  // outside the frame's area
    // Selection Count:
    host::Frame Frame8{*this, "Frame8"};  // frame "Selection Count:"
    host::Label txtCount{*this, "txtCount", &Frame8};
    host::CommandButton Command14{*this, "Command14",
                                  &Frame8};  // "Clear": deletes the graphics and clears the selection
    // On the window itself
    host::CommandButton Command13{*this, "Command13"};  // question-mark picture, "Help": the help window
    host::Image Image2{*this, "Image2"};                // the maker's logo, "Visit Tovalin on the web"
    // Hidden stores and listers, below the visible area
    host::OptionButton Option1{*this, "Option1"};  // "Create new selection", set at design
    host::OptionButton Option2{*this, "Option2"};  // "Add to current selection", read by nobody
    host::FileListBox File1{*this, "File1"};       // lists the documents folder

    // True while the load sets the search field picker's choice.
    bool m_bSettingSearchField = false;
    // True while the documents list is refilled: the entry it shows then is not a user's
    // choice of document.
    bool m_bFillingDocuments = false;

    // ---- Handlers ----
    // Window (frmMain.cpp)
    void Image2_Click();
    // Settings and pickers (frmMain_Settings.cpp)
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void cboBufferLayer_Click();
    void cboSearchField_Click();
    void cboSelectionLayer_Click();
    void Check1_Click();
    void cboDocs_Change();
    // Search list and distance box (frmMain_Search.cpp)
    void Command4_Click();
    void txtBuffer_KeyPress(int& KeyAscii);
    void txtBuffer_LostFocus();
    void txtBuffer_Change();
    // Buffer-and-select pipeline, Clear and Erase Buffer (frmMain_Pipeline.cpp)
    void List1_Click();
    void btnBufferSelected_Click();
    void Command14_Click();
    void Command3_Click();
    // Documents list (frmMain_Documents.cpp)
    void RefillDocumentsList();
    void Command15_Click();
    // Export (frmMain_Export.cpp)
    void Command1_Click();
    void Command8_Click();
    void Command11_Click();
    // Help (frmMain_Help.cpp)
    void Command13_Click();

private:
    void Layout();
    void WireEvents();

    host::Ref<host::HostFrame> m_pFrame;
};
