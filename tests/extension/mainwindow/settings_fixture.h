#pragma once
// The main window on the example town: the command created as the host creates it, the
// town's map open, "Labels.doc" in the documents folder (so the load asks nothing unless a
// test empties it) and modal dialogs run by the test's driver.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "extension/command/Globals.h"
#include "extension/mainwindow/frmMain.h"
#include "host/core/ErrorTrap.h"
#include "host/forms/HostFrame.h"
#include "host/platform/ModalDialogs.h"
#include "tests/extension/command/CommandFixture.h"

namespace support {

class MainWindowTest : public CommandTest {
protected:
    using Items = std::vector<std::string>;

    void SetUp() override {
        CommandTest::SetUp();
        savedDialogs_ = host::ModalDialogs::Install(dialogs_);
        CreateCommand();
        app_->OpenDocument(std::filesystem::path(CORVANE_SOURCE_DIR) / "examples" / "town" / "town.json");
        AddDocument("Labels.doc");
    }
    void TearDown() override {
        host::ResumeNext([] { host::HostFrame::CloseAll(); });
        host::ModalDialogs::Install(savedDialogs_);
        CommandTest::TearDown();
    }

    void AddDocument(const std::string& name) const { WriteBytes(Native(gDocumentsFolder + name), "doc"); }
    static std::string Quoted(const Items& items) {
        std::string text;
        for (const std::string& item : items) text += "\"" + item + "\"\r\n";
        return text;
    }
    void WriteConfig(const Items& items) const { WriteBytes(Native(gConfigFilePath), Quoted(items)); }
    std::string ConfigText() const { return ReadBytes(Native(gConfigFilePath)); }

    // A command click: the main window is shown, and loads on the first click and after
    // an unload.
    frmMain& Open() {
        command_->ICommand_OnClick();
        return *gMainForm;
    }

    std::shared_ptr<host::HeadlessModalDialogs> dialogs_ = std::make_shared<host::HeadlessModalDialogs>();

private:
    std::shared_ptr<host::ModalDialogs> savedDialogs_;
};

}  // namespace support
