// frmConfig: the field configuration dialog (reports name the source "frmConfigure").
#include "extension/export/frmConfig.h"

#include <string>
#include <vector>

#include "extension/command/Corvane.h"
#include "extension/command/Globals.h"
#include "extension/mainwindow/frmMain.h"
#include "extension/shared/ErrorHandling.h"
#include "extension/shared/FormLayout.h"
#include "extension/shared/Tovalin_ArcMap.h"
#include "extension/shared/Tovalin_Controls.h"
#include "host/carto/ActiveView.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/Map.h"
#include "host/carto/MxDocument.h"
#include "host/core/ErrorTrap.h"
#include "host/platform/FileChannels.h"
#include "host/platform/MessageBoxes.h"
#include "host/platform/Shell.h"

namespace {

constexpr const char* kSource = "frmConfigure";
constexpr int kFileNumber = 1;
// The narrow City, State and Zip pickers open their lists this wide (pixels).
constexpr long kNarrowDroppedWidth = 180;

const host::OleColor kWindowBack = host::Rgb(171, 181, 193);
const host::OleColor kDarkRed = host::Rgb(128, 0, 0);
const host::OleColor kPickerBack = host::Rgb(255, 255, 221);
const host::OleColor kWhite = host::Rgb(255, 255, 255);
const host::OleColor kLinkBlue = host::Rgb(0, 0, 192);

host::Font WithStyle(host::Font font, bool bold, bool underline) {
    font.bold = bold;
    font.underline = underline;
    return font;
}

// Shows the main window's frame again.
void ShowMainWindow() { gMainForm->Frame()->SetVisible(true); }

}  // namespace

frmConfig::frmConfig() : host::Form("frmConfig") {
    Layout();
    btnClose.Click = [this] { btnClose_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Label12.Click = [this] { Label12_Click(); };
}

std::array<host::ComboBox*, kExportFieldSlotCount> frmConfig::SlotCombos() {
    return {&cboParcelID, &cboNameA, &cboNameB, &cboAddressA, &cboAddressB, &cboCity, &cboState, &cboZip};
}

void frmConfig::Layout() {
    SetCaption("Corvane - Configure");
    SetSize(host::Pixels(409), host::Pixels(475));
    SetBackColor(kWindowBack);

    Frame1.SetCaption("Select export fields");
    Frame1.SetFont(WithStyle(Frame1.Font(), true, false));
    Frame1.SetForeColor(kDarkRed);
    Frame1.SetBackColor(kWindowBack);
    PlacePixels(Frame1, 8, 8, 393, 433);

    Label10.SetCaption(
        "The Label and Report documents require Microsoft Word and are configured to accept address labels in the "
        "following format.  To configure, simply select the address fields from your Selection Layer below.  To "
        "exclude a field from the output, select NONE.");
    Label10.SetBackColor(kWindowBack);
    PlacePixels(Label10, 12, 20, 369, 53);

    struct SlotLook {
        host::Label& label;
        const char* text;
        long left, top, labelWidth, comboTop, comboWidth;
    };
    const SlotLook slots[kExportFieldSlotCount] = {
        {Label1, "Parcel ID:", 16, 84, 105, 100, 349},      {Label2, "Owner Name:", 16, 132, 99, 148, 349},
        {Label4, "Co-Owner Name:", 16, 180, 99, 196, 349},  {Label5, "Address Line 1:", 16, 228, 99, 244, 349},
        {Label6, "Address Line 2:", 16, 276, 99, 292, 349}, {Label7, "City:", 16, 324, 99, 340, 109},
        {Label8, "State:", 136, 324, 67, 340, 109},         {Label9, "Zip:", 256, 324, 99, 340, 109},
    };
    const auto combos = SlotCombos();
    for (std::size_t i = 0; i < kExportFieldSlotCount; ++i) {
        const SlotLook& look = slots[i];
        look.label.SetCaption(look.text);
        look.label.SetFont(WithStyle(look.label.Font(), true, false));
        look.label.SetBackColor(kWindowBack);
        PlacePixels(look.label, look.left, look.top, look.labelWidth, 17);
        combos[i]->SetBackColor(kPickerBack);
        HandPointer(*combos[i]);
        PlacePixels(*combos[i], look.left, look.comboTop, look.comboWidth, 21);
    }

    Label11.SetCaption(
        "If you require a different mailing label configuration, we'd be happy to design a custom version of this "
        "tool for you.  Please contact us at:");
    Label11.SetAlignment(host::Alignment::Center);
    Label11.SetForeColor(kWhite);
    Label11.SetBackColor(kWindowBack);
    PlacePixels(Label11, 16, 376, 345, 33);

    Label12.SetCaption(kMakerWebAddress);
    Label12.SetAlignment(host::Alignment::Center);
    Label12.SetForeColor(kLinkBlue);
    Label12.SetFont(WithStyle(Label12.Font(), false, true));
    Label12.SetBackColor(kWindowBack);
    Label12.SetToolTipText("Visit us!");
    HandPointer(Label12);
    PlacePixels(Label12, 128, 408, 153, 17);

    Command2.SetCaption("Cancel");
    HandPointer(Command2);
    PlacePixels(Command2, 204, 448, 71, 21);
    btnClose.SetCaption("Save");
    btnClose.SetDefault(true);
    HandPointer(btnClose);
    PlacePixels(btnClose, 280, 448, 116, 21);
}

void frmConfig::Form_Load() {
    StandardErrorTrap("Form_Load ", kSource, [&] {
        host::Ref<host::FeatureLayer> layer = FindLayer(gSelectionLayerName);
        if (!layer) {
            host::ShowMessage("Can't find layer: " + gSelectionLayerName);
            return;
        }
        cboCity.SetDroppedWidth(kNarrowDroppedWidth);
        cboState.SetDroppedWidth(kNarrowDroppedWidth);
        cboZip.SetDroppedWidth(kNarrowDroppedWidth);

        const auto combos = SlotCombos();
        for (host::ComboBox* combo : combos) LoadLayerFields(gSelectionLayerName, *combo, true);
        for (host::ComboBox* combo : combos) combo->AddItem(std::string(kNone), 0);
        for (host::ComboBox* combo : combos) RemoveComboItem(*combo, "Shape");

        // The saved choices: each slot's two items are tried against its own combo in turn,
        // so the item that names an entry decides (the later one when both do). Items that
        // cannot be read (a missing or short file) choose nothing.
        auto& channels = host::FileChannels::Instance();
        channels.Close(kFileNumber);
        host::ResumeNext([&] { channels.OpenForInput(kFileNumber, gFieldsFilePath); });
        for (host::ComboBox* combo : combos) {
            for (int read = 0; read < 2; ++read) {
                std::string item;
                if (!host::ResumeNext([&] { item = channels.ReadItem(kFileNumber); })) continue;
                host::ResumeNext([&] {
                    if (ComboContains(item, *combo)) combo->SetText(item);
                });
            }
        }
        channels.Close(kFileNumber);
    });
}

void frmConfig::btnClose_Click() {
    auto& channels = host::FileChannels::Instance();
    StandardErrorTrap(
        "btnClose_Click ", kSource,
        [&] {
            std::vector<std::string> items;
            const auto combos = SlotCombos();
            for (std::size_t slot = 0; slot < kExportFieldSlotCount; ++slot) {
                const std::string chosen = combos[slot]->Text();
                const std::string key(kExportFieldSlotKeys[slot]);
                if (chosen == kNone) {
                    items.emplace_back(kNone);
                    items.push_back(std::string(kNone) + key);
                } else {
                    items.push_back(chosen);
                    items.push_back(key);
                }
            }
            // Written whole to a new file that then takes the old one's place: a failed
            // Save leaves "fields" as it was.
            WriteSettingsFile(gFieldsFilePath, items);

            Unload();
            gMxDocument->FocusMap()->ClearSelection();
            gMxDocument->ActiveView()->Refresh();
            ShowMainWindow();
        },
        [&] { channels.Close(kFileNumber); });
}

void frmConfig::Command2_Click() {
    StandardErrorTrap("Command2_Click ", kSource, [&] {
        Unload();
        ShowMainWindow();
    });
}

// The shell's answer is not looked at; a failed request shows nothing.
void frmConfig::Label12_Click() {
    host::ResumeNext([] { host::ShellExecute("Open", kMakerWebAddress, "", "", 1); });
}
