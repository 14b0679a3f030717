#include "tests/extension/export/ExportFixture.h"

#include <filesystem>

#include "extension/command/Globals.h"
#include "extension/mainwindow/frmMain.h"
#include "host/carto/Map.h"
#include "host/carto/MxDocument.h"
#include "host/data/FeatureClass.h"
#include "host/data/Field.h"
#include "host/data/Fields.h"
#include "host/data/SelectionSet.h"
#include "host/geometry/Geometry.h"

namespace export_test {

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
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

host::Ref<host::FeatureLayer> ExportTest::AddLayer(const std::string& name, const std::vector<std::string>& fields,
                                                   const std::vector<std::vector<host::Value>>& rows,
                                                   bool withObjectId) {
    auto all = host::New<host::Fields>();
    if (withObjectId) all->AddField(host::New<host::Field>("OBJECTID", host::FieldType::OID));
    const long shapeField = all->FieldCount();
    all->AddField(host::New<host::Field>("Shape", host::FieldType::Geometry));
    for (const std::string& field : fields) all->AddField(host::New<host::Field>(field, host::FieldType::String));

    auto featureClass = host::New<host::FeatureClass>(name, all, withObjectId ? 0 : -1, shapeField, 4, nullptr);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::vector<host::Value> values;
        if (withObjectId) values.emplace_back(static_cast<std::int64_t>(r + 1));
        values.emplace_back();  // the shape
        values.insert(values.end(), rows[r].begin(), rows[r].end());
        values.resize(static_cast<std::size_t>(all->FieldCount()));
        const std::string x = std::to_string(r * 100), x2 = std::to_string(r * 100 + 100);
        featureClass->AddFeature(values, host::Geometry::FromWkt("POLYGON((" + x + " 0," + x2 + " 0," + x2 + " 100," +
                                                                 x + " 100," + x + " 0))")
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
    return std::filesystem::exists(file) ? ReadBytes(file) : "(missing)";
}

void ExportTest::WriteFileText(std::string_view windowsPath, std::string_view bytes) {
    WriteBytes(Native(windowsPath), bytes);
}

void ExportTest::WriteFieldsItems(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += "\"" + item + "\"\r\n";
    WriteFileText(gFieldsFilePath, text);
}

frmMain& ExportTest::OpenMainWindow(const std::vector<std::string>& documents, const std::string& selectionLayer) {
    for (const std::string& document : documents) WriteFileText(gDocumentsFolder + document, "");
    command_->ICommand_OnClick();
    frmMain& main = *gMainForm;
    const long layer = main.cboSelectionLayer.IndexOf(selectionLayer);
    if (layer >= 0) main.cboSelectionLayer.ChooseItem(layer);
    return main;
}

void ExportTest::DriveDialogs(std::function<void(host::Form&)> driver) {
    auto previous = host::ModalDialogs::Install(std::make_shared<host::HeadlessModalDialogs>(std::move(driver)));
    if (!savedDialogs_) savedDialogs_ = previous;
}

}  // namespace export_test
