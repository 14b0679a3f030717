#pragma once
// A headless host with the command created as the host creates it: C: mapped to a fresh
// folder with "Program Files", a running application, a Corvane object given the
// application on OnCreate, and modal dialogs run by the test's driver. Frames are closed
// and the application ended after each test.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "extension/command/Corvane.h"
#include "extension/command/Globals.h"
#include "extension/mainwindow/frmMain.h"
#include "host/carto/FeatureLayer.h"
#include "host/core/Ref.h"
#include "host/data/Value.h"
#include "host/forms/ModalDialogs.h"
#include "host/framework/Application.h"
#include "tests/support/HeadlessTest.h"

namespace support {

// The lines joined, each followed by CR LF.
std::string Lines(const std::vector<std::string>& lines);

class CommandTest : public HeadlessTest {
protected:
    using Items = std::vector<std::string>;

    void SetUp() override;
    void TearDown() override;

    // Makes "Program Files" on C:, a Corvane object and runs its OnCreate with the running
    // application as the hook; the application's document becomes the shared one.
    Corvane& CreateCommand();
    // The command created, the example town open and "Labels.doc" in the documents folder
    // (so that the window's load asks nothing).
    void OpenTown();
    void AddDocument(const std::string& name) const;
    // A command click: the main window shows, and loads on the first click and after an
    // unload; then the selection layer is chosen when one is named.
    frmMain& Open(const std::string& selectionLayer = "");

    // A feature layer of squares in the focus map: OBJECTID (unless withObjectId is false),
    // Shape, then text fields of these names; ids count from 1.
    host::Ref<host::FeatureLayer> AddLayer(const std::string& name, const std::vector<std::string>& fields,
                                           const std::vector<std::vector<host::Value>>& rows, bool withObjectId = true);
    // Every form shown modally from now on goes to the driver, which must close it.
    void DriveDialogs(std::function<void(host::Form&)> driver) { dialogs_->SetDriver(std::move(driver)); }

    host::Ref<host::Application> app_;
    host::Ref<Corvane> command_;
    std::shared_ptr<host::HeadlessModalDialogs> dialogs_ = std::make_shared<host::HeadlessModalDialogs>();

private:
    std::shared_ptr<host::ModalDialogs> savedDialogs_;
};

}  // namespace support
