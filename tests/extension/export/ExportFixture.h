#pragma once
// A headless host with the command created (product folder, empty "fields"), the running
// application in the shared state, small feature layers in the focus map, and a driver for
// the modal dialogs.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/carto/FeatureLayer.h"
#include "host/data/Value.h"
#include "host/platform/ModalDialogs.h"
#include "tests/extension/command/CommandFixture.h"

class frmMain;

namespace export_test {

// The lines joined, each followed by CR LF.
std::string Lines(const std::vector<std::string>& lines);

class ExportTest : public support::CommandTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A feature layer of squares in the focus map: OBJECTID (unless withObjectId is false),
    // Shape, then text fields of these names; ids count from 1.
    host::Ref<host::FeatureLayer> AddLayer(const std::string& name, const std::vector<std::string>& fields,
                                           const std::vector<std::vector<host::Value>>& rows,
                                           bool withObjectId = true);
    static void Select(const host::Ref<host::FeatureLayer>& layer, std::vector<long> ids);

    // The bytes of a file given by its drive path; "(missing)" when there is none.
    static std::string FileText(std::string_view windowsPath);
    static void WriteFileText(std::string_view windowsPath, std::string_view bytes);
    // "fields" holding these items.
    static void WriteFieldsItems(const std::vector<std::string>& items);

    // Puts empty documents into the documents folder, clicks the command (the main window
    // loads and shows) and chooses the selection layer.
    frmMain& OpenMainWindow(const std::vector<std::string>& documents, const std::string& selectionLayer);
    // Every form shown modally from now on goes to the driver, which must close it.
    void DriveDialogs(std::function<void(host::Form&)> driver);

private:
    std::shared_ptr<host::ModalDialogs> savedDialogs_;
};

}  // namespace export_test
