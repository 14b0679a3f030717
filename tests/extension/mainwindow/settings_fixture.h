#pragma once
// The main window on the example town: the command created as the host creates it, the
// town's map document open, a "Labels.doc" in the documents folder (so the load asks no
// question unless a test empties the folder) and a modal-dialog service the test drives.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "extension/mainwindow/frmMain.h"
#include "host/platform/ModalDialogs.h"
#include "tests/extension/command/CommandFixture.h"

namespace support {

class MainWindowTest : public CommandTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The documents folder on this machine.
    std::filesystem::path DocumentsFolder() const;
    void AddDocument(const std::string& name) const;
    void EmptyDocumentsFolder() const;

    // Writes "config" with these items (seven for a file that passes the click's repair).
    void WriteConfig(const std::vector<std::string>& items) const;
    // "config" as it stands on disk.
    std::string ConfigText() const;

    // A command click: repairs the settings files and shows the main window, which loads
    // on the first click and after an unload.
    frmMain& Open();
    // Unloads the main window as the host does when it closes it (its settings are saved).
    void Unload();

    // Drives every dialog shown modally from now on.
    void OnDialog(std::function<void(host::Form&)> driver);
    const std::vector<std::string>& DialogsShown() const { return dialogs_->Shown(); }

    // The MODULE line of each unexpected-error report among the texts ("" for another box).
    static std::vector<std::string> ReportedModules(const std::vector<std::string>& texts);

    // The field names cboSearchField lists for the town's Parcels layer.
    static constexpr const char* kParcelId = "Parcels.PARCEL_ID";

private:
    std::shared_ptr<host::HeadlessModalDialogs> dialogs_;
    std::shared_ptr<host::ModalDialogs> savedDialogs_;
};

}  // namespace support
