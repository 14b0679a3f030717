// frmMain: the window's layout, the wiring of its control events, its host frame and the
// logo's link.
#include "extension/mainwindow/frmMain.h"

#include "extension/command/Corvane.h"
#include "extension/command/Globals.h"
#include "extension/resources/WindowPictures.h"
#include "extension/shared/ErrorHandling.h"
#include "extension/shared/FormLayout.h"
#include "host/forms/Picture.h"
#include "host/platform/Screen.h"
#include "host/platform/Shell.h"

namespace {

constexpr const char* kSource = "frmMain";

const host::OleColor kWindowBack = host::Rgb(171, 181, 193);
const host::OleColor kFrameCaption = host::Rgb(128, 0, 0);
const host::OleColor kPickerBack = host::Rgb(255, 255, 221);
const host::OleColor kBoxBack = host::Rgb(224, 224, 224);
const host::OleColor kBlue = host::Rgb(0, 0, 255);
const host::OleColor kWhite = host::Rgb(255, 255, 255);

void FrameBox(host::Frame& frame, const char* caption, long left, long top, long width, long height) {
    frame.SetCaption(caption);
    frame.SetBackColor(kWindowBack);
    frame.SetForeColor(kFrameCaption);
    PlacePixels(frame, left, top, width, height);
}

void LabelText(host::Label& label, const char* caption, long left, long top, long width, long height) {
    label.SetCaption(caption);
    label.SetBackColor(kWindowBack);
    PlacePixels(label, left, top, width, height);
}

void Picker(host::ComboBox& combo, host::OleColor back, const char* tooltip, long left, long top, long width,
            long height) {
    combo.SetBackColor(back);
    combo.SetToolTipText(tooltip);
    HandPointer(combo);
    PlacePixels(combo, left, top, width, height);
}

void PictureButton(host::CommandButton& button, const char* caption, const char* tooltip, long left, long top,
                   long width, long height) {
    button.SetStyle(host::ButtonStyle::Graphical);
    button.SetCaption(caption);
    button.SetToolTipText(tooltip);
    HandPointer(button);
    PlacePixels(button, left, top, width, height);
}

}  // namespace

frmMain::frmMain() : host::Form("frmMain") {
    Layout();
    WireEvents();
}

void frmMain::Layout() {
    SetCaption("Corvane");
    SetSize(6330, 5250);  // 422 by 350 pixels
    SetBackColor(kWindowBack);

    // 1 - Layers
    FrameBox(Frame2, "1 - Layers", 4, 8, 265, 105);
    LabelText(Label3, "Buffer Layer:", 12, 20, 99, 17);
    Picker(cboBufferLayer, kPickerBack, "Choose a layer to buffer", 12, 40, 117, 21);
    LabelText(Label6, "Search Field:", 140, 20, 99, 17);
    Picker(cboSearchField, kPickerBack, "Choose a search field.  Values will be loaded into the list below.", 140, 40,
           113, 21);
    LabelText(Label14, "Selection Layer:", 12, 72, 123, 17);
    Picker(cboSelectionLayer, kPickerBack,
           "Choose a selection layer.  Features from this layer will be selected when a buffer is applied.", 140, 72,
           113, 21);

    // 2 - Buffer
    FrameBox(Frame6, "2 - Buffer", 4, 120, 265, 225);
    LabelText(Label12, "Buffer Distance:", 8, 24, 99, 17);
    txtBuffer.SetText("100");
    txtBuffer.SetBackColor(kBoxBack);
    txtBuffer.SetForeColor(kBlue);
    txtBuffer.SetToolTipText("Enter a buffer distance");
    PlacePixels(txtBuffer, 96, 20, 73, 24);
    PictureButton(Command3, "Erase Buffer", "Erase the buffer zone", 178, 23, 72, 20);
    PictureButton(btnBufferSelected, "Buffer Selected Features", "Apply buffer to the currently selected map features",
                  16, 53, 235, 20);
    LabelText(Label10, "Click item to Zoom and Buffer:", 8, 84, 211, 17);
    LabelText(Label11, " Search:", 12, 111, 78, 21);
    txtSearch.SetBackColor(kBoxBack);
    txtSearch.SetToolTipText("Enter text and hit Go to search for an item in the list below");
    PlacePixels(txtSearch, 61, 108, 144, 24);
    PictureButton(Command4, "Go", "Click to search the list below", 212, 109, 41, 23);
    List1.SetSorted(true);
    List1.SetBackColor(kWhite);
    List1.SetForeColor(kBlue);
    List1.SetToolTipText(
        "Select an item zoom to a feature.  Buffer will be applied and features within the buffer zone will be "
        "selected.");
    HandPointer(List1);
    PlacePixels(List1, 12, 136, 241, 82);

    // 3 - Export
    FrameBox(Frame7, "3 - Export", 276, 8, 141, 201);
    LabelText(Label16, "Labels and Reports:", 8, 24, 103, 17);
    PictureButton(Command15, "", "Set documents directory", 110, 24, 20, 16);
    Picker(cboDocs, kWhite, "Select a document for viewing exported data from the selected features", 12, 47, 120, 21);
    PictureButton(Command1, "View Report", "View a document with data exported from the selected features", 12, 72, 120,
                  20);
    PictureButton(Command8, "Configure", "Select fields for exporting", 12, 96, 120, 20);
    Check1.SetCaption("Exclude buffered features from export");
    Check1.SetBackColor(kWindowBack);
    PlacePixels(Check1, 12, 128, 125, 29);
    PictureButton(Command11, "Export Table", "Export attributes from the selected features to a table", 12, 168, 120,
                  20);
    // Lies beyond the frame's 141 by 201 pixels, hidden and disabled: nobody reaches it.
    btnExportToLayer.SetCaption("Export To Layer");
    btnExportToLayer.SetToolTipText("Export the selected features to a new map layer");
    PlacePixels(btnExportToLayer, 128, 208, 120, 20);
    btnExportToLayer.SetVisible(false);
    btnExportToLayer.SetEnabled(false);

    // Selection Count:
    FrameBox(Frame8, "Selection Count:", 276, 216, 141, 37);
    txtCount.SetCaption("0");
    txtCount.SetBackColor(kWindowBack);
    txtCount.SetForeColor(kBlue);
    PlacePixels(txtCount, 4, 16, 85, 17);
    PictureButton(Command14, "Clear", "Clear all selected features", 96, 12, 41, 20);

    // On the window itself
    PictureButton(Command13, "", "Help", 394, 261, 22, 20);
    Image2.SetToolTipText("Visit Tovalin on the web");
    PlacePixels(Image2, 288, 288, 120, 50);
    SetWindowPictures(*this);  // the picture buttons' pictures and the logo

    // Below the client area: stores and listers the user never sees.
    Option1.SetCaption("Create new selection");
    Option1.SetValue(true);
    Option1.SetVisible(false);
    PlacePixels(Option1, 8, 360, 150, 17);
    Option2.SetCaption("Add to current selection");
    Option2.SetVisible(false);
    PlacePixels(Option2, 160, 360, 150, 17);
    File1.SetVisible(false);
    PlacePixels(File1, 8, 380, 200, 80);
}

void frmMain::WireEvents() {
    cboBufferLayer.Click = [this] { cboBufferLayer_Click(); };
    cboSearchField.Click = [this] { cboSearchField_Click(); };
    cboSelectionLayer.Click = [this] { cboSelectionLayer_Click(); };
    Check1.Click = [this] { Check1_Click(); };
    cboDocs.Click = [this] { cboDocs_Change(); };  // a choice is the list's only change of text
    Command4.Click = [this] { Command4_Click(); };
    txtBuffer.KeyPress = [this](int& keyAscii) { txtBuffer_KeyPress(keyAscii); };
    txtBuffer.LostFocus = [this] { txtBuffer_LostFocus(); };
    txtBuffer.Change = [this] { txtBuffer_Change(); };
    List1.Click = [this] { List1_Click(); };
    btnBufferSelected.Click = [this] { btnBufferSelected_Click(); };
    Command14.Click = [this] { Command14_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command15.Click = [this] { Command15_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command8.Click = [this] { Command8_Click(); };
    Command11.Click = [this] { Command11_Click(); };
    Command13.Click = [this] { Command13_Click(); };
    Image2.Click = [this] { Image2_Click(); };
}

host::Ref<host::HostFrame> frmMain::Frame() {
    host::Ref<host::HostFrame> result;
    StandardErrorTrap("Frame ", kSource, [&] {
        if (!m_pFrame) {
            // Held before Create: a frame whose Create or Caption fails is still the frame.
            m_pFrame = host::New<host::HostFrame>();
            m_pFrame->Create(*this);
            m_pFrame->SetCaption(gProductName);
        }
        result = m_pFrame;
    });
    return result;
}

void frmMain::Image2_Click() {
    StandardErrorTrap("Image2_Click ", kSource, [&] { host::ShellExecute("Open", kMakerWebAddress, "", "", 1); });
}
