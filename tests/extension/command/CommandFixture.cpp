#include "tests/extension/command/CommandFixture.h"

#include <filesystem>

#include "extension/command/Globals.h"
#include "host/carto/Map.h"
#include "host/carto/MxDocument.h"
#include "host/core/ErrorTrap.h"
#include "host/data/FeatureClass.h"
#include "host/data/Field.h"
#include "host/data/Fields.h"
#include "host/forms/HostFrame.h"
#include "host/framework/Object.h"
#include "host/geometry/Geometry.h"

namespace support {

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

void CommandTest::SetUp() {
    HeadlessTest::SetUp();
    app_ = host::Application::Launch();
    savedDialogs_ = host::ModalDialogs::Install(dialogs_);
}

void CommandTest::TearDown() {
    host::ResumeNext([] { host::HostFrame::CloseAll(); });
    host::ModalDialogs::Install(savedDialogs_);
    command_.Reset();
    app_.Reset();
    host::Application::Shutdown();
    HeadlessTest::TearDown();
}

Corvane& CommandTest::CreateCommand() {
    MakeProgramFiles('C');
    command_ = host::New<Corvane>();
    command_->ICommand_OnCreate(host::Ref<host::Object>(app_));
    gApplication = app_;
    gMxDocument = app_->Document();
    return *command_;
}

void CommandTest::OpenTown() {
    CreateCommand();
    app_->OpenDocument(std::filesystem::path(CORVANE_SOURCE_DIR) / "examples" / "town" / "town.json");
    gMxDocument = app_->Document();
    AddDocument("Labels.doc");
}

void CommandTest::AddDocument(const std::string& name) const { WriteBytes(Native(gDocumentsFolder + name), "doc"); }

frmMain& CommandTest::Open(const std::string& selectionLayer) {
    command_->ICommand_OnClick();
    frmMain& main = *gMainForm;
    const long layer = selectionLayer.empty() ? -1 : main.cboSelectionLayer.IndexOf(selectionLayer);
    if (layer >= 0) main.cboSelectionLayer.ChooseItem(layer);
    return main;
}

host::Ref<host::FeatureLayer> CommandTest::AddLayer(const std::string& name, const std::vector<std::string>& fields,
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

}  // namespace support
