// The documents folder dialog: where it opens and how its lists follow each other.
#include "extension/export/frmSetDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "extension/command/Globals.h"
#include "tests/support/HeadlessTest.h"

namespace {

namespace fs = std::filesystem;
using Items = std::vector<std::string>;

class SetDirTest : public support::HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        gDriveLetter = "C";
        fs::create_directories(Native("C:\\Documents\\Letters"));
        WriteBytes(Native("C:\\Documents\\Labels.doc"), "doc");
        fs::create_directories(MapDrive('D') / "Docs");
        WriteBytes(Native("D:\\Docs\\Report.doc"), "doc");
    }
    frmSetDir& Show(const std::string& documents) {
        gDocumentsFolder = documents;
        dialog_ = host::New<frmSetDir>();
        dialog_->Show();
        return *dialog_;
    }
    host::Ref<frmSetDir> dialog_;
};

TEST_F(SetDirTest, OpensOnTheDocumentsFolderShowingTheProgramFilesDrive) {
    host::DriveMap::Instance().SetCurrentFolder("D:\\");
    // The drive list changes drive; the documents may be on another drive than Program Files.
    for (const auto& [documents, file] : std::vector<std::pair<std::string, std::string>>{
             {"C:\\Documents\\", "Labels.doc"}, {"D:\\Docs\\", "Report.doc"}}) {
        frmSetDir& dialog = Show(documents);
        EXPECT_EQ(dialog.Drive1.Drive(), "c:");
        EXPECT_EQ(dialog.File1.Items(), Items{file}) << documents;
        dialog.btnCancel.Press();
        EXPECT_FALSE(dialog.IsLoaded());
    }
    EXPECT_TRUE(Messages().Texts().empty());
}

TEST_F(SetDirTest, TheListsFollowTheDriveAndTheFolderAndFailuresLeaveThemBe) {
    frmSetDir& dialog = Show("C:\\Gone\\");
    dialog.Drive1.SetDrive("d:");
    EXPECT_EQ(dialog.File1.Path(), "D:\\");
    dialog.Dir1.SetPath("D:\\Docs");
    fs::remove_all(host::DriveMap::Instance().Folder('C'));  // a drive that cannot be read
    dialog.Drive1.SetDrive("c:");
    EXPECT_EQ(ReportModules(), (Items{"Form_Load frmLoadDir ", "Drive1_Change frmLoadDir "}));
    EXPECT_EQ(dialog.File1.Items(), Items{"Report.doc"});
    dialog.btnSave.Press();
    EXPECT_EQ(gDocumentsFolder, "D:\\Docs\\");
}

}  // namespace
