// The export-table dialog and the Export Table button: the dialog's opening state and
// lists, the path Save builds, the overwrite question, leaving out the subject, Cancel.
#include "extension/export/frmLoadDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "extension/command/Globals.h"
#include "extension/mainwindow/frmMain.h"
#include "host/data/Field.h"
#include "host/platform/DriveMap.h"
#include "host/platform/FileSystem.h"
#include "host/platform/HeadlessMessageBoxes.h"
#include "tests/extension/export/ExportFixture.h"

namespace {

using export_test::Lines;
using host::FieldType::String;

class FrmLoadDirTest : public export_test::ExportTest {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        parcels_ = AddLayer("Parcels", {{"PARCEL_ID", String}, {"OWNER_NAME", String}},
                            {{"1-1", "SMITH, JOHN"}, {"1-2", "JONES"}});
        main_ = &OpenMainWindow({"Labels.fodt"}, "Parcels");
        gSearchFieldName = "PARCEL_ID";
        Select(parcels_, {1, 2});
        std::filesystem::create_directories(Native("C:\\Exports"));
    }

    static frmLoadDir& AsLoadDir(host::Form& form) { return dynamic_cast<frmLoadDir&>(form); }

    // Opens the dialog from the main window; the steps act on it in turn (the dialog must
    // be closed after the last).
    void ExportTable(std::function<void(frmLoadDir&)> steps) {
        DriveDialogs([&](host::Form& form) { steps(AsLoadDir(form)); });
        main_->Command11.Press();
    }

    static void SaveAs(frmLoadDir& dialog, const std::string& folder, const std::string& name, bool tab) {
        dialog.Dir1.SetPath(folder);
        dialog.Text1.SetText(name);
        (tab ? dialog.Option2 : dialog.Option1).Press();
        dialog.btnSave.Press();
    }

    host::Ref<host::FeatureLayer> parcels_;
    frmMain* main_ = nullptr;
};

TEST_F(FrmLoadDirTest, OpensOnTheCurrentFolderWithItsDesignAndTheListsFollowEachOther) {
    MapDrive('D');
    WriteFileText("C:\\Exports\\old.csv", "");
    for (int opening = 0; opening < 2; ++opening) {
        ExportTable([&](frmLoadDir& dialog) {
            EXPECT_EQ(dialog.Caption(), "Corvane - Export Table");
            EXPECT_EQ(dialog.Text1.Text(), "AbuttersList");
            EXPECT_TRUE(dialog.Option1.Value());
            EXPECT_FALSE(dialog.Option2.Value());
            EXPECT_EQ(dialog.lblExt.Caption(), ".csv");
            EXPECT_EQ(dialog.Drive1.Drive(), "c:");
            EXPECT_EQ(dialog.Dir1.Path(), "C:\\");
            EXPECT_EQ(dialog.File1.Path(), "C:\\");
            EXPECT_EQ(dialog.DefaultButton(), &dialog.btnSave);
            EXPECT_EQ(dialog.CancelButton(), &dialog.btnCancel);

            // What the first opening changes, the next one does not remember.
            dialog.Option2.Press();
            EXPECT_EQ(dialog.lblExt.Caption(), ".txt");
            dialog.Dir1.SetPath("C:\\Exports");
            EXPECT_EQ(dialog.File1.Path(), "C:\\Exports");
            EXPECT_EQ(dialog.File1.Items(), std::vector<std::string>{"old.csv"});
            dialog.File1.ChooseItem(0);
            EXPECT_EQ(dialog.Text1.Text(), "AbuttersList") << "a click in the file list copies nothing";
            dialog.Drive1.SetDrive("d:");
            EXPECT_EQ(dialog.Dir1.Path(), "D:\\");
            EXPECT_EQ(dialog.File1.Path(), "D:\\");
            dialog.Option1.Press();
            EXPECT_EQ(dialog.lblExt.Caption(), ".csv");
            dialog.PressEscape();
        });
    }
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(FileText("C:\\Exports\\AbuttersList.csv"), "(missing)");
}

TEST_F(FrmLoadDirTest, SaveWritesTheTableWhereTheFolderListStandsNamedAsTyped) {
    // A configured "fields" changes nothing here: field names head the columns.
    WriteFieldsItems({"OWNER_NAME", "XNAMEAX", "NONE", "NONEXZIPX"});
    struct Case {
        std::string folder;
        std::string name;
        bool tab;
        std::string path;
    };
    const std::vector<Case> cases = {
        {"C:\\Exports", "AbuttersList", false, "C:\\Exports\\AbuttersList.csv"},
        {"C:\\Exports", "list", true, "C:\\Exports\\list.txt"},
        {"C:\\Exports", "list.csv", false, "C:\\Exports\\list.csv.csv"},
        {"C:\\Exports", "", false, "C:\\Exports\\.csv"},
        {"C:\\", "root", true, "C:\\root.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        bool closed = false;
        ExportTable([&](frmLoadDir& dialog) {
            SaveAs(dialog, c.folder, c.name, c.tab);
            closed = !dialog.IsLoaded();
        });
        EXPECT_TRUE(closed);
        const std::string d = c.tab ? "\t" : ",";
        EXPECT_EQ(FileText(c.path), Lines({"\"OBJECTID\"" + d + "\"PARCEL_ID\"" + d + "\"OWNER_NAME\"",
                                           "\"1\"" + d + "\"1-1\"" + d + "\"SMITH, JOHN\"",
                                           "\"2\"" + d + "\"1-2\"" + d + "\"JONES\""}));
        EXPECT_TRUE(TakeMessages().empty());
    }
}

TEST_F(FrmLoadDirTest, AnExistingFileIsReplacedOnlyWhenTheUserSaysSoAndTheExportHasRows) {
    const std::string path = "C:\\Exports\\AbuttersList.csv";
    const std::string old = "old table\r\n";
    WriteFileText(path, old);

    // No: nothing written, the dialog stays open with its choices; another name then saves.
    Messages().QueueAnswer(host::MessageBoxAnswer::No);
    ExportTable([&](frmLoadDir& dialog) {
        SaveAs(dialog, "C:\\Exports", "AbuttersList", false);
        EXPECT_TRUE(dialog.IsOpen());
        EXPECT_EQ(dialog.Dir1.Path(), "C:\\Exports");
        dialog.Text1.SetText("Other");
        dialog.PressEnter();
    });
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"File already exists. Overwrite?"});
    EXPECT_EQ(FileText(path), old);
    EXPECT_NE(FileText("C:\\Exports\\Other.csv"), "(missing)");

    // Yes while nothing is selected: the export gives up and the old table stays.
    Select(parcels_, {});
    Messages().QueueAnswer(host::MessageBoxAnswer::Yes);
    ExportTable([&](frmLoadDir& dialog) { SaveAs(dialog, "C:\\Exports", "AbuttersList", false); });
    EXPECT_EQ(TakeMessages(), (std::vector<std::string>{"File already exists. Overwrite?", "No features selected"}));
    EXPECT_EQ(FileText(path), old);

    // Yes with a selection: replaced.
    Select(parcels_, {2});
    Messages().QueueAnswer(host::MessageBoxAnswer::Yes);
    ExportTable([&](frmLoadDir& dialog) { SaveAs(dialog, "C:\\Exports", "AbuttersList", false); });
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"File already exists. Overwrite?"});
    EXPECT_EQ(FileText(path), Lines({R"("OBJECTID","PARCEL_ID","OWNER_NAME")", R"("2","1-2","JONES")"}));
}

TEST_F(FrmLoadDirTest, TheTickedBoxLeavesOutThePickedSubjectAndCancelWritesNothing) {
    PickSearchValue("1-1");
    main_->Check1.Press();
    ExportTable([](frmLoadDir& dialog) { SaveAs(dialog, "C:\\Exports", "list", true); });
    EXPECT_EQ(FileText("C:\\Exports\\list.txt"),
              Lines({"\"OBJECTID\"\t\"PARCEL_ID\"\t\"OWNER_NAME\"", "\"2\"\t\"1-2\"\t\"JONES\""}));

    ExportTable([](frmLoadDir& dialog) {
        dialog.Dir1.SetPath("C:\\Exports");
        dialog.Text1.SetText("cancelled");
        dialog.btnCancel.Press();
    });
    EXPECT_EQ(FileText("C:\\Exports\\cancelled.csv"), "(missing)");
    EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
