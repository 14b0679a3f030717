#include "tests/extension/export/ExportFixture.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include "extension/command/Globals.h"
#include "extension/mainwindow/frmMain.h"
#include "host/carto/Map.h"
#include "host/carto/MxDocument.h"
#include "host/data/FeatureClass.h"
#include "host/data/Field.h"
#include "host/data/Fields.h"
#include "host/data/SelectionSet.h"
#include "host/framework/StatusBar.h"
#include "host/geometry/Geometry.h"

namespace export_test {

std::string Lines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void ExportTest::SetUp() {
    CommandTest::SetUp();
    CreateCommand();
    gApplication = app_;
    gMxDocument = app_->Document();
}

void ExportTest::TearDown() {
    if (savedDialogs_) host::ModalDialogs::Install(savedDialogs_);
    CommandTest::TearDown();
}

frmMain& ExportTest::OpenMainWindow(const std::vector<std::string>& documents, const std::string& selectionLayer) {
    for (const std::string& document : documents) WriteFileText(gDocumentsFolder + document, "");
    command_->ICommand_OnClick();
    frmMain& main = *gMainForm;
    main.RefillDocumentsList();  // a window loaded before lists the folder as it is now
    const long layer = main.cboSelectionLayer.IndexOf(selectionLayer);
    if (layer >= 0) main.cboSelectionLayer.ChooseItem(layer);
    return main;
}

bool ExportTest::MainWindowShown() {
    host::HostFrame* frame = gMainForm->HostingFrame();
    return frame != nullptr && frame->Visible();
}

void ExportTest::PickSearchValue(const std::string& value) {
    host::ListBox& list = gMainForm->List1;
    if (list.IndexOf(value) < 0) list.AddItem(value);
    gSuppressListClick = true;
    list.SetListIndex(list.IndexOf(value));
    gSuppressListClick = false;
}

void ExportTest::DriveDialogs(std::function<void(host::Form&)> driver) {
    dialogs_ = std::make_shared<host::HeadlessModalDialogs>(std::move(driver));
    auto previous = host::ModalDialogs::Install(dialogs_);
    if (!savedDialogs_) savedDialogs_ = previous;
}

std::vector<std::string> ExportTest::DialogsShown() const {
    return dialogs_ ? dialogs_->Shown() : std::vector<std::string>{};
}

host::Ref<host::FeatureLayer> ExportTest::AddLayer(const std::string& name, const std::vector<Column>& columns,
                                                   const std::vector<std::vector<host::Value>>& rows, long shapeIndex,
                                                   bool withObjectId) {
    std::vector<Column> all;
    if (withObjectId) all.push_back({"OBJECTID", host::FieldType::OID});
    all.insert(all.end(), columns.begin(), columns.end());
    const long shapeField = std::min(shapeIndex, static_cast<long>(all.size()));
    all.insert(all.begin() + shapeField, Column{"Shape", host::FieldType::Geometry});
    const long oidField = withObjectId ? (shapeField == 0 ? 1 : 0) : -1;

    auto fields = host::New<host::Fields>();
    for (const Column& column : all) fields->AddField(host::New<host::Field>(column.name, column.type));
    auto featureClass = host::New<host::FeatureClass>(name, fields, oidField, shapeField, 4, nullptr);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::vector<host::Value> values;
        std::size_t column = 0;
        for (long i = 0; i < static_cast<long>(all.size()); ++i) {
            if (i == oidField)
                values.emplace_back(static_cast<std::int64_t>(r + 1));
            else if (i == shapeField || column >= rows[r].size())
                values.emplace_back();
            else
                values.push_back(rows[r][column++]);
        }
        const std::string x = std::to_string(r * 100);
        const std::string x2 = std::to_string(r * 100 + 100);
        featureClass->AddFeature(
            values, host::Geometry::FromWkt("POLYGON((" + x + " 0," + x2 + " 0," + x2 + " 100," + x + " 100," + x +
                                            " 0))")
                        ->Geos());
    }
    auto layer = host::New<host::FeatureLayer>();
    layer->SetFeatureClass(featureClass);
    layer->SetName(name);
    gMxDocument->FocusMap()->AddLayer(layer);
    return layer;
}

void ExportTest::Select(const host::Ref<host::FeatureLayer>& layer, std::vector<long> ids) {
    layer->SetSelectionSet(host::New<host::SelectionSet>(layer->FeatureClass(), std::move(ids)));
}

std::string ExportTest::FileText(std::string_view windowsPath) {
    const std::filesystem::path file = Native(windowsPath);
    if (!std::filesystem::exists(file)) return "(missing)";
    return ReadBytes(file);
}

void ExportTest::WriteFileText(std::string_view windowsPath, std::string_view bytes) {
    WriteBytes(Native(windowsPath), bytes);
}

void ExportTest::WriteFieldsItems(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += "\"" + item + "\"\r\n";
    WriteFileText(gFieldsFilePath, text);
}

host::StepProgressor& ExportTest::Progress() { return *app_->StatusBar()->ProgressBar(); }

std::vector<std::string> ExportTest::TakeProgress() {
    std::vector<std::string> lines = Progress().HistoryLines();
    Progress().ClearHistory();
    return lines;
}

}  // namespace export_test
