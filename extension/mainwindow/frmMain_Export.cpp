// frmMain: View Report, Configure and Export Table.
#include <optional>
#include <string>

#include "extension/command/Globals.h"
#include "extension/command/Settings.h"
#include "extension/export/ExportAllValues.h"
#include "extension/export/frmConfig.h"
#include "extension/export/frmLoadDir.h"
#include "extension/mainwindow/frmMain.h"
#include "extension/shared/ErrorHandling.h"
#include "extension/shared/Tovalin_IO.h"
#include "host/core/ErrorTrap.h"
#include "host/platform/FileChannels.h"
#include "host/platform/MessageBoxes.h"
#include "host/platform/Shell.h"

namespace {

constexpr const char* kSource = "frmMain";
constexpr int kFileNumber = 1;
// The data file of the label and report documents, beside them in the documents folder.
constexpr const char* kReportDataFile = "Export.txt";

// The whole field configuration file as one text, its items joined without separators.
std::string FieldConfigurationText() {
    auto& channels = host::FileChannels::Instance();
    channels.Close(kFileNumber);
    channels.OpenForInput(kFileNumber, gFieldsFilePath);
    std::string text;
    while (!channels.Eof(kFileNumber)) text += channels.ReadItem(kFileNumber);
    channels.Close(kFileNumber);
    return text;
}

}  // namespace

// View Report: writes the selected features into "Export.txt" beside the documents and
// opens the chosen document. A run-time failure of its own steps (above all a field
// configuration file that cannot be read) ends with one message of its own.
void frmMain::Command1_Click() {
    host::Trap(
        [&] {
            if (cboDocs.Text().empty()) {
                host::ShowMessage("Please select a document");
                return;
            }
            if (FieldConfigurationText() == DefaultFieldsText()) {
                host::ShowMessage("Please click Configure to select fields for exporting");
                return;
            }
            gDocumentName = cboDocs.Text();
            const std::string documentName = gDocumentName;

            const bool failed = ExportAllValues(gDocumentsFolder + kReportDataFile, "\t", "\"", Check1.Value() != 0,
                                                List1.Text(), true, gFieldsFilePath);

            const std::string documentPath = gDocumentsFolder + documentName;
            if (!fDoesFileExist(documentPath)) {
                host::ShowMessage(documentPath + " not found.");
                return;
            }
            if (failed) return;
            // The shell opens the document with the program that belongs to its type, in
            // the folder of its drive's root. When it cannot hand the document to a program,
            // the message names the document and the cause.
            host::ShellFailure failure;
            host::Trap(
                [&] { failure = host::ShellExecute("open", documentPath, std::nullopt, documentPath.substr(0, 3), 1); },
                [&](const host::RuntimeError& error) { failure = error.Description(); });
            if (failure) host::ShowMessage(documentPath + " could not be opened: " + *failure);
        },
        [&](const host::RuntimeError&) {
            host::ResumeNext([] { host::FileChannels::Instance().Close(kFileNumber); });
            host::ShowMessage("Error:  Please be sure the label documents are closed before generating a new list.");
        });
}

// Configure: hides the main window while the field configuration dialog is open.
void frmMain::Command8_Click() {
    StandardErrorTrap(
        "Command8 ", kSource,
        [&] {
            if (gSelectionLayerName == kNone) {
                host::ShowMessage("Please choose a Selection Layer before configuring field output");
                return;
            }
            Frame()->SetVisible(false);
            host::Ref<frmConfig> dialog = host::New<frmConfig>();
            dialog->Load();
            dialog->ShowModal();
            // Save and Cancel show the main window again; so does any other way the dialog
            // was closed.
            host::Ref<host::HostFrame> frame = Frame();
            if (!frame->Visible()) frame->SetVisible(true);
        },
        [] { host::FileChannels::Instance().Close(kFileNumber); });
}

// Export Table: the export-table dialog, modal over the main window.
void frmMain::Command11_Click() {
    StandardErrorTrap("Command11_Click ", kSource, [&] { host::New<frmLoadDir>()->ShowModal(); });
}
