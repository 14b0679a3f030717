#include "tests/extension/mainwindow/settings_fixture.h"

#include "extension/command/Globals.h"
#include "host/core/ErrorTrap.h"

namespace support {

namespace fs = std::filesystem;

void MainWindowTest::SetUp() {
    CommandTest::SetUp();
    dialogs_ = std::make_shared<host::HeadlessModalDialogs>();
    savedDialogs_ = host::ModalDialogs::Install(dialogs_);
    CreateCommand();
    app_->OpenDocument(fs::path(CORVANE_SOURCE_DIR) / "examples" / "town" / "town.json");
    AddDocument("Labels.doc");
}

void MainWindowTest::TearDown() {
    host::ResumeNext([] { host::HostFrame::CloseAll(); });
    host::ModalDialogs::Install(savedDialogs_);
    CommandTest::TearDown();
}

fs::path MainWindowTest::DocumentsFolder() const { return Native(gDocumentsFolder); }

void MainWindowTest::AddDocument(const std::string& name) const { WriteBytes(DocumentsFolder() / name, "doc"); }

void MainWindowTest::EmptyDocumentsFolder() const {
    for (const auto& entry : fs::directory_iterator(DocumentsFolder())) fs::remove_all(entry.path());
}

void MainWindowTest::WriteConfig(const std::vector<std::string>& items) const {
    std::string text;
    for (const std::string& item : items) text += "\"" + item + "\"\r\n";
    WriteBytes(Native(gConfigFilePath), text);
}

std::string MainWindowTest::ConfigText() const { return ReadBytes(Native(gConfigFilePath)); }

frmMain& MainWindowTest::Open() {
    command_->ICommand_OnClick();
    return *gMainForm;
}

void MainWindowTest::Unload() { gMainForm->Unload(); }

std::vector<std::string> MainWindowTest::ReportedModules(const std::vector<std::string>& texts) {
    std::vector<std::string> modules;
    const std::string key = "MODULE: ";
    for (const std::string& text : texts) {
        const auto at = text.find(key);
        modules.push_back(at == std::string::npos ? ""
                                                  : text.substr(at + key.size(), text.find('\r', at) - at - key.size()));
    }
    return modules;
}

void MainWindowTest::OnDialog(std::function<void(host::Form&)> driver) { dialogs_->SetDriver(std::move(driver)); }

}  // namespace support
