#pragma once
// The field configuration dialog "Corvane - Configure": which field of the selection layer
// feeds each of the eight address-label slots, or NONE. Save writes the choices to "fields"
// (value, then key, for each slot), clears the map's selection and shows the main window
// again; Cancel writes nothing and shows the main window again. The dialog is made afresh
// for every opening (frmMain.Command8_Click) and shown modally.

#include <array>

#include "extension/command/Settings.h"
#include "host/forms/ComboBox.h"
#include "host/forms/CommandButton.h"
#include "host/forms/Form.h"
#include "host/forms/Frame.h"
#include "host/forms/Label.h"

class frmConfig : public host::Form {
public:
    frmConfig();

    // ---- Controls, in focus order (positions and texts in frmConfig.cpp) ----
    host::Frame Frame1{*this, "Frame1"};             // frame "Select export fields"
    host::Label Label10{*this, "Label10", &Frame1};  // what the Word documents expect and how to choose the fields
    host::Label Label1{*this, "Label1", &Frame1};    // "Parcel ID:"
    host::ComboBox cboParcelID{*this, "cboParcelID", &Frame1};
    host::Label Label2{*this, "Label2", &Frame1};  // "Owner Name:"
    host::ComboBox cboNameA{*this, "cboNameA", &Frame1};
    host::Label Label4{*this, "Label4", &Frame1};  // "Co-Owner Name:"
    host::ComboBox cboNameB{*this, "cboNameB", &Frame1};
    host::Label Label5{*this, "Label5", &Frame1};  // "Address Line 1:"
    host::ComboBox cboAddressA{*this, "cboAddressA", &Frame1};
    host::Label Label6{*this, "Label6", &Frame1};  // "Address Line 2:"
    host::ComboBox cboAddressB{*this, "cboAddressB", &Frame1};
    host::Label Label7{*this, "Label7", &Frame1};  // "City:"
    host::ComboBox cboCity{*this, "cboCity", &Frame1};
    host::Label Label8{*this, "Label8", &Frame1};  // "State:"
    host::ComboBox cboState{*this, "cboState", &Frame1};
    host::Label Label9{*this, "Label9", &Frame1};  // "Zip:"
    host::ComboBox cboZip{*this, "cboZip", &Frame1};
    host::Label Label11{*this, "Label11", &Frame1};   // "If you require a different mailing label configuration, ..."
    host::Label Label12{*this, "Label12", &Frame1};   // the maker's web link, "Visit us!"
    host::CommandButton Command2{*this, "Command2"};  // "Cancel"
    host::CommandButton btnClose{*this, "btnClose"};  // "Save", the default button

    // The slot combos in slot order (ExportFieldSlot).
    std::array<host::ComboBox*, kExportFieldSlotCount> SlotCombos();

    // ---- Handlers ----
    void btnClose_Click();
    void Command2_Click();
    void Label12_Click();

protected:
    void Form_Load() override;

private:
    void Layout();
};
