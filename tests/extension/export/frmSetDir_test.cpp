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
    struct Case {
        const char *documents, *current, *shown;
        Items files;
    };
    const Case cases[] = {
        {"C:\\Documents\\", "C:\\", "C:\\Documents", {"Labels.doc"}},
        {"C:\\Documents\\", "D:\\", "C:\\Documents", {"Labels.doc"}},  // the drive list changes drive
        {"D:\\Docs\\", "C:\\", "D:\\Docs", {"Report.doc"}},            // another drive than Program Files
    };
    for (const Case& c : cases) {
        host::DriveMap::Instance().SetCurrentFolder(c.current);
        frmSetDir& dialog = Show(c.documents);
        EXPECT_EQ(dialog.Drive1.Items(), (Items{"c:", "d:"}));
        EXPECT_EQ(dialog.Drive1.Drive(), "c:");
        EXPECT_EQ(dialog.Dir1.Path(), c.shown) << c.documents << " from " << c.current;
        EXPECT_EQ(dialog.File1.Items(), c.files) << c.documents << " from " << c.current;
        dialog.btnCancel.Press();
        EXPECT_FALSE(dialog.IsLoaded());
    }
    EXPECT_TRUE(Messages().Texts().empty());
}

TEST_F(SetDirTest, TheListsFollowTheDriveAndTheFolderAndFailuresLeaveThemBe) {
    frmSetDir& dialog = Show("C:\\Gone\\");
    ASSERT_EQ(Messages().Texts().size(), 1u);
    EXPECT_NE(Messages().Texts()[0].find("MODULE: Form_Load frmLoadDir \r\n"), std::string::npos);
    Messages().ClearShown();

    dialog.Drive1.SetDrive("d:");
    EXPECT_EQ(dialog.Dir1.Path(), "D:\\");
    EXPECT_EQ(dialog.File1.Path(), "D:\\");
    dialog.Dir1.SetPath("D:\\Docs");
    EXPECT_EQ(dialog.File1.Items(), Items{"Report.doc"});

    fs::remove_all(host::DriveMap::Instance().Folder('C'));  // a drive that cannot be read
    dialog.Drive1.SetDrive("c:");
    ASSERT_EQ(Messages().Texts().size(), 1u);
    EXPECT_NE(Messages().Texts()[0].find("MODULE: Drive1_Change frmLoadDir \r\n"), std::string::npos);
    EXPECT_EQ(dialog.Dir1.Path(), "D:\\Docs");
    EXPECT_EQ(dialog.File1.Items(), Items{"Report.doc"});
    dialog.btnSave.Press();
    EXPECT_EQ(gDocumentsFolder, "D:\\Docs\\");
}

}  // namespace
