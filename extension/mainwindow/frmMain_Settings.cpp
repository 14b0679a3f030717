// frmMain: loading and saving the settings, and the layer, field and document pickers.
//
// The seven settings live in the shared values gBufferLayerName ... gDocumentsFolder; the
// pickers show them. A saved name that no picker holds exactly (a layer missing from the
// map, a name differing in case) stays in its value and is saved back unchanged.
#include <cmath>
#include <string>
#include <string_view>
#include <utility>

#include "extension/command/Globals.h"
#include "extension/command/Settings.h"
#include "extension/mainwindow/frmMain.h"
#include "extension/shared/ErrorHandling.h"
#include "extension/shared/Tovalin_ArcMap.h"
#include "extension/shared/Tovalin_IO.h"
#include "host/carto/ActiveView.h"
#include "host/carto/Map.h"
#include "host/carto/MxDocument.h"
#include "host/core/ScopedFlag.h"
#include "host/platform/FileChannels.h"
#include "host/platform/MessageBoxes.h"
#include "host/platform/Screen.h"

namespace {

constexpr const char* kSource = "frmMain";
constexpr int kConfigFile = 1;
// The least width of the open lists of the documents and search field pickers, in pixels.
constexpr long kDroppedWidth = 200;

// Runs a handler's body in the standard trap, closing file number 1 before the report.
template <class Body> void TrapClosingConfig(std::string_view procedure, Body&& body) {
    StandardErrorTrap(procedure, kSource, std::forward<Body>(body),
                      [] { host::FileChannels::Instance().Close(kConfigFile); });
}

// Half of a whole number of pixels, an exact half rounded to the even neighbour.
long HalfRoundedToEven(long pixels) { return std::lrint(static_cast<double>(pixels) / 2.0); }

// Reads "config" into the seven shared values. Errors are ignored statement by statement:
// an item that cannot be read (no file, fewer items) leaves its value as it was.
void ReadConfig() {
    auto& channels = host::FileChannels::Instance();
    host::ResumeNext([&] { channels.Close(kConfigFile); });
    host::ResumeNext([&] { channels.OpenForInput(kConfigFile, gConfigFilePath); });
    for (std::string* value : {&gBufferLayerName, &gSearchFieldName, &gSelectionLayerName, &gBufferDistance,
                               &gDocumentName, &gExcludeBuffered, &gDocumentsFolder}) {
        host::ResumeNext([&] { *value = channels.ReadItem(kConfigFile); });
    }
    host::ResumeNext([&] { channels.Close(kConfigFile); });
    // A hand-edited folder may lack its final backslash (or have two); "Export.txt" and
    // the documents are named by appending to it.
    gDocumentsFolder = WithOneTrailingBackslash(gDocumentsFolder);
}

// The main window's frame, centred on the screen.
void CentreOnScreen() {
    const host::Screen& screen = host::Screen::Instance();
    const host::Ref<host::HostFrame> frame = gMainForm->Frame();
    const long screenWidth = screen.Width() / screen.TwipsPerPixelX();
    const long screenHeight = screen.Height() / screen.TwipsPerPixelY();
    frame->SetPosition(HalfRoundedToEven(screenWidth - frame->Width()),
                       HalfRoundedToEven(screenHeight - frame->Height()), 0, 0);
}

// The pickers' open widths, an empty search list, and both layer pickers filled from the map
// (the buffer layer's with NONE on top).
void FillLayerPickers(frmMain& form) {
    form.cboDocs.SetDroppedWidth(kDroppedWidth);
    form.cboSearchField.SetDroppedWidth(kDroppedWidth);
    form.List1.Clear();
    LoadMapLayers(form.cboBufferLayer);
    LoadMapLayers(form.cboSelectionLayer);
    form.cboBufferLayer.AddItem(std::string(kNone), 0);
}

// Chooses the saved layers and search field in the pickers, then puts NONE on top of the
// search field picker. The saved names are matched exactly; choosing an entry runs its click
// handler. True when the saved search field was chosen.
bool RestoreSavedChoices(frmMain& form) {
    bool searchFieldRestored = false;
    const long bufferLayer = form.cboBufferLayer.IndexOf(gBufferLayerName);
    if (bufferLayer >= 0) {
        form.cboBufferLayer.SetListIndex(bufferLayer);
        LoadLayerFields(gBufferLayerName, form.cboSearchField, true);
        const long searchField = form.cboSearchField.IndexOf(gSearchFieldName);
        if (searchField >= 0) {
            {
                // Its click would load the list now; the load does it once at the end.
                host::ScopedFlag setting(form.m_bSettingSearchField);
                form.cboSearchField.SetListIndex(searchField);
            }
            searchFieldRestored = true;
        }
    }
    const long selectionLayer = form.cboSelectionLayer.IndexOf(gSelectionLayerName);
    if (selectionLayer >= 0) form.cboSelectionLayer.SetListIndex(selectionLayer);
    form.cboSearchField.AddItem(std::string(kNone), 0);
    return searchFieldRestored;
}

}  // namespace

void frmMain::Form_Load() {
    TrapClosingConfig("Form_Load ", [&] {
        const host::Ref<host::Map> focusMap = gMxDocument->FocusMap();
        txtCount.SetCaption(std::to_string(focusMap->SelectionCount()));
        CentreOnScreen();
        FillLayerPickers(*this);

        ReadConfig();
        if (gExcludeBuffered == "1") Check1.SetValue(1);
        // A documents folder that does not exist ends the load here.
        RefillDocumentsList();
        const bool searchFieldRestored = RestoreSavedChoices(*this);

        gMxDocument->SetActiveView(focusMap);
        gMxDocument->ActiveView()->Refresh();
        txtBuffer.SetText(gBufferDistance);
        if (searchFieldRestored)
            LoadListWithUniqueFieldValues(gBufferLayerName, gSearchFieldName, List1, true, nullptr);

        if (File1.ListCount() == 0 &&
            host::AskYesNo("Your Labels and Reports directory has not been set.\r\nWould you like to do this now?") ==
                host::MessageBoxAnswer::Yes) {
            Command15_Click();
        }
    });
}

void frmMain::Form_Unload(int& Cancel) {
    (void)Cancel;  // the unload always goes through
    // The values as they stand in memory, whatever the pickers show. The file is replaced
    // in one step, so a failed save leaves the last one whole; nothing is reported.
    host::ResumeNext([] { WriteSettingsFile(gConfigFilePath, ConfigItemsFromSharedState()); });
    TrapClosingConfig("Form_Unload ", [] { gMxDocument->ActiveView()->Refresh(); });
}

void frmMain::cboBufferLayer_Click() {
    StandardErrorTrap("cboBufferLayer_Click ", kSource, [&] {
        gBufferLayerName = cboBufferLayer.Text();
        cboSearchField.Clear();
        List1.Clear();
        // gSearchFieldName keeps the former field until the user chooses one.
        LoadLayerFields(gBufferLayerName, cboSearchField, true);
    });
}

void frmMain::cboSearchField_Click() {
    if (m_bSettingSearchField) return;
    StandardErrorTrap("cboSearchField_Click ", kSource, [&] {
        gSearchFieldName = cboSearchField.Text();
        if (gSearchFieldName == kNone) return;
        LoadListWithUniqueFieldValues(gBufferLayerName, gSearchFieldName, List1, true, nullptr);
    });
}

void frmMain::cboSelectionLayer_Click() {
    StandardErrorTrap("cboSelectionLayer_Click ", kSource, [&] { gSelectionLayerName = cboSelectionLayer.Text(); });
}

void frmMain::Check1_Click() {
    StandardErrorTrap("Check1_Click ", kSource, [&] { gExcludeBuffered = Check1.Value() == 1 ? "1" : "0"; });
}

void frmMain::cboDocs_Change() {
    // A document the user chooses is remembered at once; the list's own refill is not a
    // choice.
    if (m_bFillingDocuments) return;
    StandardErrorTrap("cboDocs_Change ", kSource, [&] { gDocumentName = cboDocs.Text(); });
}
