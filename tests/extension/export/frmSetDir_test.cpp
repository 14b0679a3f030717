// The documents folder dialog: where it opens, how its lists follow each other, what Save
// stores and how it reports folders and drives that cannot be read.
#include "extension/export/frmSetDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "extension/command/Globals.h"
#include "host/core/Ref.h"
#include "tests/support/HeadlessTest.h"

namespace {

namespace fs = std::filesystem;
using Items = std::vector<std::string>;

class SetDirTest : public support::HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        SetIdentity();
        gDriveLetter = "C";
        gDocumentsFolder = "C:\\Program Files\\Tovalin\\Corvane\\Documents\\";
        fs::create_directories(Native(gDocumentsFolder) / "Letters");
        WriteBytes(Native(gDocumentsFolder) / "Labels.doc", "doc");
        fs::create_directories(MapDrive('D') / "Docs");
        WriteBytes(Native("D:\\Docs\\Report.doc"), "doc");
    }
    void TearDown() override {
        if (dialog_ && dialog_->IsLoaded()) dialog_->Unload();
        dialog_.Reset();
        HeadlessTest::TearDown();
    }
    frmSetDir& Show() {
        dialog_ = host::New<frmSetDir>();
        dialog_->Show();
        return *dialog_;
    }
    std::vector<std::string> ReportedModules() {
        std::vector<std::string> modules;
        for (const std::string& text : Messages().Texts()) {
            const auto at = text.find("MODULE: ");
            modules.push_back(at == std::string::npos ? "" : text.substr(at + 8, text.find('\r', at) - at - 8));
        }
        Messages().ClearShown();
        return modules;
    }

    host::Ref<frmSetDir> dialog_;
};

TEST_F(SetDirTest, OpensOnTheDocumentsFolderWithTheProgramFilesDrive) {
    struct Case {
        const char* documents;
        const char* currentFolder;
        const char* folderShown;
        Items files;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Tovalin\\Corvane\\Documents\\", "C:\\", "C:\\Program Files\\Tovalin\\Corvane\\Documents",
         {"Labels.doc"}},
        {"C:\\Program Files\\Tovalin\\Corvane\\Documents\\", "D:\\", "C:\\Program Files\\Tovalin\\Corvane\\Documents",
         {"Labels.doc"}},
        // On another drive: the drive list shows the Program Files drive, the folder list
        // stays on the documents folder.
        {"D:\\Docs\\", "C:\\", "D:\\Docs", {"Report.doc"}},
        {"D:\\", "D:\\Docs\\", "D:\\", {}},
    };
    for (const Case& c : cases) {
        gDocumentsFolder = c.documents;
        host::DriveMap::Instance().SetCurrentFolder(c.currentFolder);
        frmSetDir& dialog = Show();
        EXPECT_EQ(dialog.Caption(), "Corvane - Set Labels and Reports Directory");
        EXPECT_EQ(dialog.Drive1.Items(), (Items{"c:", "d:"})) << "the mapped drives";
        EXPECT_EQ(dialog.Drive1.Drive(), "c:") << c.documents;
        EXPECT_EQ(dialog.Dir1.Path(), c.folderShown) << c.documents;
        EXPECT_EQ(dialog.File1.Path(), c.folderShown) << c.documents;
        EXPECT_EQ(dialog.File1.Items(), c.files) << c.documents;
        EXPECT_TRUE(Messages().Texts().empty()) << c.documents;
        dialog.btnCancel.Press();
        EXPECT_FALSE(dialog.IsLoaded());
        EXPECT_EQ(gDocumentsFolder, c.documents) << "Cancel stores nothing";
    }
}

TEST_F(SetDirTest, TheListsFollowTheDriveAndTheFolderAndSaveStoresTheOpenFolder) {
    frmSetDir& dialog = Show();
    dialog.Dir1.SetPath("C:\\Program Files\\Tovalin\\Corvane\\Documents\\Letters");
    EXPECT_EQ(dialog.File1.Path(), "C:\\Program Files\\Tovalin\\Corvane\\Documents\\Letters");
    EXPECT_TRUE(dialog.File1.Items().empty());

    dialog.Drive1.SetDrive("d:");
    EXPECT_EQ(dialog.Dir1.Path(), "D:\\");
    EXPECT_EQ(dialog.Dir1.Items(), Items{"D:\\Docs"});
    EXPECT_EQ(dialog.File1.Path(), "D:\\");

    dialog.Dir1.SetPath(dialog.Dir1.List(0));
    EXPECT_EQ(dialog.File1.Items(), Items{"Report.doc"});
    dialog.File1.ChooseItem(0);  // a click in the file list does nothing
    dialog.btnSave.Press();
    EXPECT_EQ(gDocumentsFolder, "D:\\Docs\\");
    EXPECT_FALSE(dialog.IsLoaded());

    // A drive root is stored with its one backslash.
    frmSetDir& again = Show();
    EXPECT_EQ(again.Dir1.Path(), "D:\\Docs") << "loaded afresh on the new folder";
    again.Dir1.SetPath("D:\\");
    again.btnSave.Press();
    EXPECT_EQ(gDocumentsFolder, "D:\\");
    EXPECT_TRUE(Messages().Texts().empty());
}

TEST_F(SetDirTest, FoldersAndDrivesThatCannotBeReadAreReportedAndTheListsStay) {
    // A documents folder that has gone: reported at load; the user can still choose one.
    gDocumentsFolder = "C:\\Gone\\";
    frmSetDir& dialog = Show();
    EXPECT_EQ(ReportedModules(), Items{"Form_Load frmLoadDir "});
    ASSERT_TRUE(dialog.IsOpen());
    dialog.Dir1.SetPath("D:\\Docs");
    dialog.btnSave.Press();
    EXPECT_EQ(gDocumentsFolder, "D:\\Docs\\");

    // A drive whose folder has gone: the change is reported, the folder lists stay.
    frmSetDir& next = Show();
    fs::remove_all(host::DriveMap::Instance().Folder('D'));
    next.Drive1.SetDrive("d:");
    EXPECT_EQ(ReportedModules(), Items{"Drive1_Change frmLoadDir "});
    EXPECT_EQ(next.Dir1.Path(), "D:\\Docs");
    EXPECT_EQ(next.File1.Items(), Items{"Report.doc"});
    next.btnCancel.Press();

    // No Program Files drive known: the drive cannot be set; the folder is shown.
    gDriveLetter.clear();
    gDocumentsFolder = "C:\\Program Files\\Tovalin\\Corvane\\Documents\\";
    frmSetDir& last = Show();
    EXPECT_EQ(ReportedModules(), Items{"Form_Load frmLoadDir "});
    EXPECT_EQ(last.Dir1.Path(), "C:\\Program Files\\Tovalin\\Corvane\\Documents");
}

}  // namespace
