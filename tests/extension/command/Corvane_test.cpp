#include "extension/command/Corvane.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "extension/command/Globals.h"
#include "extension/command/Settings.h"
#include "extension/mainwindow/frmMain.h"
#include "host/carto/Map.h"
#include "host/carto/MxDocument.h"
#include "host/forms/HostFrame.h"
#include "host/framework/AppRef.h"
#include "host/framework/Object.h"
#include "tests/extension/command/CommandFixture.h"

namespace {

namespace fs = std::filesystem;
using support::ItemsText;

class CorvaneTest : public support::CommandTest {
protected:
    fs::path ProductFolder() const { return Native("C:\\Program Files\\Tovalin\\Corvane"); }
    std::string Config() const { return ReadBytes(ProductFolder() / "config"); }
    std::string Fields() const { return ReadBytes(ProductFolder() / "fields"); }
};

// A settings file that exists is kept; one that is missing is made empty.
TEST_F(CorvaneTest, CreationMakesTheProductFolderOnTheFirstProgramFilesDriveAndKeepsItsFiles) {
    MapDrive('D');
    MakeProgramFiles('D');
    fs::create_directories(ProductFolder());
    WriteBytes(ProductFolder() / "fields", "\"anything\"\r\n");
    CreateCommand();  // Program Files on C: too: C: wins

    EXPECT_TRUE(fs::is_directory(ProductFolder() / "Documents"));
    EXPECT_EQ(Config(), "");
    EXPECT_EQ(Fields(), "\"anything\"\r\n");
    EXPECT_FALSE(fs::exists(Native("D:\\Program Files\\Tovalin")));
    ASSERT_TRUE(gMainForm);
    EXPECT_FALSE(gMainForm->IsLoaded()) << "made, not loaded";
}

TEST_F(CorvaneTest, AFolderWhereASettingsFileShouldBeIsNamedInTheReport) {
    for (const char* name : {"config", "fields"}) {
        SCOPED_TRACE(name);
        fs::remove_all(ProductFolder());
        fs::create_directories(ProductFolder() / name);
        Corvane& command = CreateCommand();
        command.ICommand_OnClick();
        const std::vector<std::string> shown = TakeMessages();
        ASSERT_FALSE(shown.empty());
        const std::string& report = shown.back();
        EXPECT_NE(report.find("ERROR DESCRIPTION: Path/File access error: \"C:\\Program Files\\Tovalin\\Corvane\\" +
                              std::string(name) + "\" is a folder, not a file"),
                  std::string::npos)
            << report;
        EXPECT_TRUE(host::HostFrame::All().empty());
    }
}

TEST_F(CorvaneTest, AHookThatIsNotTheApplicationSetsNothingUp) {
    MakeProgramFiles('C');
    Corvane command;
    command.ICommand_OnCreate(host::New<host::Object>());
    EXPECT_EQ(ReportedErrors(Messages().Texts()), std::vector<long>{13});
    EXPECT_EQ(ReportModules(), std::vector<std::string>{"ICommand_OnCreate Corvane "});
    EXPECT_FALSE(gMainForm);
    EXPECT_FALSE(fs::exists(Native("C:\\Program Files\\Tovalin")));
}

TEST_F(CorvaneTest, ClicksRepairTheSettingsAndShowOneFrame) {
    Corvane& command = CreateCommand();
    WriteBytes(ProductFolder() / "Documents" / "Labels.doc", "doc");  // the window's load then asks nothing
    command.ICommand_OnClick();
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(Config(), ItemsText({"NONE", "NONE", "NONE", "100", "NONE", "0", gDocumentsFolder}));
    EXPECT_EQ(Fields(), ItemsText(DefaultFieldsItems()));
    ASSERT_EQ(host::HostFrame::All().size(), 1u);
    host::Ref<host::HostFrame> frame = host::HostFrame::All()[0];
    EXPECT_EQ(frame->Caption(), "Corvane");
    EXPECT_TRUE(frame->Visible());
    const auto appRef = gAppRef;

    // Files with the right number of items stay as they are, whatever they hold.
    const std::string config = ItemsText({"a", "b", "c", "d", "e", "f", "g"});
    WriteBytes(ProductFolder() / "config", config);
    gMainForm->txtSearch.SetText("typed before hiding");
    frame->SetVisible(false);
    command.ICommand_OnClick();
    EXPECT_EQ(gMainForm->txtSearch.Text(), "typed before hiding") << "hiding keeps the window's contents";
    EXPECT_EQ(Config(), config);
    EXPECT_EQ(host::HostFrame::All().size(), 1u);
    EXPECT_TRUE(frame->Visible()) << "a click shows the hidden frame again";
    EXPECT_EQ(gAppRef, appRef) << "one AppRef per process";

    // The application keeps one document: a new one empties it in place, so the document a
    // click took is still the current one and shows what is open now.
    const auto first = gMxDocument;
    app_->NewDocument();
    EXPECT_EQ(first->FocusMap()->LayerCount(), 0);
    command.ICommand_OnClick();
    EXPECT_EQ(gMxDocument, first);
    EXPECT_EQ(gMxDocument, app_->Document());
}

TEST_F(CorvaneTest, WithoutProgramFilesTheFilesGoToTheCurrentFolderAndTheClickReports) {
    host::DriveMap::Instance().Unmap('C');
    MapDrive('D');  // the only drive, without Program Files
    Corvane command;
    command.ICommand_OnCreate(host::Ref<host::Object>(app_));
    ASSERT_EQ(TakeMessages().size(), 1u) << "only the Program Files message";
    EXPECT_TRUE(gConfigFilePath.empty());
    EXPECT_EQ(ReadBytes(Native("D:\\fields")), "");
    command.ICommand_OnClick();
    EXPECT_EQ(ReportModules(), std::vector<std::string>{"ICommand_OnClick Corvane "});
    EXPECT_TRUE(host::HostFrame::All().empty());
}

}  // namespace
