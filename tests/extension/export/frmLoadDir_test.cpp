// The Export Table button and the export-table dialog: the path Save builds and the
// overwrite question.
#include "extension/export/frmLoadDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "extension/command/Globals.h"
#include "extension/mainwindow/frmMain.h"
#include "host/platform/HeadlessMessageBoxes.h"
#include "tests/extension/command/CommandFixture.h"

namespace {

using support::Lines;
using Texts = std::vector<std::string>;

class FrmLoadDirTest : public support::CommandTest {
protected:
    void SetUp() override {
        CommandTest::SetUp();
        CreateCommand();
        parcels_ = AddLayer("Parcels", {"PARCEL_ID"}, {{"1-1"}, {"1-2"}});
        AddDocument("Labels.fodt");
        Open("Parcels");
        Select(parcels_, {2});
        std::filesystem::create_directories(Native("C:\\Exports"));
    }
    // Opens the dialog and saves as the user would; returns whether the dialog closed.
    bool SaveAs(const std::string& folder, const std::string& name, bool tab) {
        bool closed = false;
        DriveDialogs([&](host::Form& form) {
            auto& dialog = dynamic_cast<frmLoadDir&>(form);
            dialog.Dir1.SetPath(folder);
            dialog.Text1.SetText(name);
            (tab ? dialog.Option2 : dialog.Option1).Press();
            dialog.PressEnter();
            closed = !dialog.IsLoaded();
            if (!closed) dialog.PressEscape();
        });
        gMainForm->Command11.Press();
        return closed;
    }
    host::Ref<host::FeatureLayer> parcels_;
};

TEST_F(FrmLoadDirTest, SaveWritesWhereTheFolderListStandsNamedAsTyped) {
    const std::vector<std::tuple<std::string, std::string, bool, std::string>> cases = {
        {"C:\\Exports", "list.csv", false, "C:\\Exports\\list.csv.csv"},
        {"C:\\", "root", true, "C:\\root.txt"},
    };
    for (const auto& [folder, name, tab, path] : cases) {
        EXPECT_TRUE(SaveAs(folder, name, tab));
        const std::string d = tab ? "\t" : ",";
        EXPECT_EQ(FileText(path), Lines({"\"OBJECTID\"" + d + "\"PARCEL_ID\"", "\"2\"" + d + "\"1-2\""})) << path;
    }
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(FrmLoadDirTest, AnExistingTableIsReplacedOnlyWhenTheUserSaysSo) {
    const std::string path = "C:\\Exports\\AbuttersList.csv";
    WriteBytes(Native(path), "old");
    const std::string ask = "File already exists. Overwrite?";
    Messages().QueueAnswer(host::MessageBoxAnswer::No);
    EXPECT_FALSE(SaveAs("C:\\Exports", "AbuttersList", false)) << "No leaves the dialog open";
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{ask});
    EXPECT_EQ(FileText(path), "old");
    Select(parcels_, {1});
    Messages().QueueAnswer(host::MessageBoxAnswer::Yes);
    EXPECT_TRUE(SaveAs("C:\\Exports", "AbuttersList", false));
    EXPECT_EQ(FileText(path), Lines({R"("OBJECTID","PARCEL_ID")", R"("1","1-1")"}));
}

TEST_F(FrmLoadDirTest, ANameThePlatformCannotUseGetsOneMessageAndTheDialogStaysOpen) {
    const std::string names[] = {"say \"hi\"", "a*b",       "what?",    "c:d",       "<x>",
                                 "a|b",        "sub\\list", "sub/list", "tab\there", std::string(252, 'n'),
                                 "",           "   ",       ".",        "..",        " . . "};
    for (const std::string& name : names) {
        EXPECT_FALSE(SaveAs("C:\\Exports", name, false)) << name;
        const Texts shown = TakeMessages();
        ASSERT_EQ(shown.size(), 1u) << name;
        EXPECT_EQ(shown[0].rfind("Cannot save the table as \"" + name + ".csv\": ", 0), 0u) << shown[0];
        EXPECT_TRUE(std::filesystem::is_empty(Native("C:\\Exports"))) << name;
    }
    // The longest name the platform takes is written.
    EXPECT_TRUE(SaveAs("C:\\Exports", std::string(251, 'n'), false));
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_NE(FileText("C:\\Exports\\" + std::string(251, 'n') + ".csv"), "(missing)");
}

}  // namespace
