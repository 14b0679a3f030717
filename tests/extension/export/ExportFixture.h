#pragma once
// A headless host with the command created (product folder, empty "fields"), a running
// application taken into the shared state, and helpers that put small feature layers into
// the focus map, select their features and read the files the export writes.

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/carto/FeatureLayer.h"
#include "host/core/Ref.h"
#include "host/data/Value.h"
#include "host/framework/StepProgressor.h"
#include "host/platform/ModalDialogs.h"
#include "tests/extension/command/CommandFixture.h"

class frmMain;

namespace export_test {

struct Column {
    std::string name;
    long type;  // a host field type code
};

// The lines joined, each followed by CR LF.
std::string Lines(std::initializer_list<std::string_view> lines);

class ExportTest : public support::CommandTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Puts (empty) files of these names into the documents folder, clicks the command, so
    // that the main window loads and shows, and chooses the layer as selection layer when
    // the window lists it.
    frmMain& OpenMainWindow(const std::vector<std::string>& documents, const std::string& selectionLayer);
    // The main window's frame is shown.
    static bool MainWindowShown();
    // Chooses the entry of the search list without running the pipeline.
    static void PickSearchValue(const std::string& value);

    // Every form shown modally from now on goes to the driver, which acts on it as a user
    // would until it closes.
    void DriveDialogs(std::function<void(host::Form&)> driver);
    // The names of the forms shown modally so far.
    std::vector<std::string> DialogsShown() const;

    // Adds to the focus map a feature layer of squares whose fields are OBJECTID (unless
    // withObjectId is false), Shape and the columns, with Shape standing at shapeIndex
    // among them. A row gives the columns' values; object ids count from 1.
    host::Ref<host::FeatureLayer> AddLayer(const std::string& name, const std::vector<Column>& columns,
                                           const std::vector<std::vector<host::Value>>& rows,
                                           long shapeIndex = 1, bool withObjectId = true);
    // Replaces the layer's selection by these object ids.
    static void Select(const host::Ref<host::FeatureLayer>& layer, std::vector<long> ids);

    // The bytes of a file given by its drive path; "(missing)" when there is none.
    static std::string FileText(std::string_view windowsPath);
    static void WriteFileText(std::string_view windowsPath, std::string_view bytes);
    // Writes the items into "fields" as the settings files hold them.
    static void WriteFieldsItems(const std::vector<std::string>& items);

    // The status bar's progress bar and its calls since the last call, as text lines.
    host::StepProgressor& Progress();
    std::vector<std::string> TakeProgress();

private:
    std::shared_ptr<host::HeadlessModalDialogs> dialogs_;
    std::shared_ptr<host::ModalDialogs> savedDialogs_;
};

}  // namespace export_test
