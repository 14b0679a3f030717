#include "extension/command/Corvane.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "extension/command/Globals.h"
#include "extension/command/Settings.h"
#include "extension/mainwindow/frmMain.h"
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

TEST_F(CorvaneTest, CreationMakesTheProductFolderOnTheFirstProgramFilesDrive) {
    MapDrive('D');
    MakeProgramFiles('D');
    CreateCommand();  // Program Files on C: too: C: wins

    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(gDocumentsFolder, "C:\\Program Files\\Tovalin\\Corvane\\Documents\\");
    EXPECT_TRUE(fs::is_directory(ProductFolder() / "Documents"));
    EXPECT_EQ(Config(), "");
    EXPECT_EQ(Fields(), "");
    EXPECT_FALSE(fs::exists(Native("D:\\Program Files\\Tovalin")));
    ASSERT_TRUE(gMainForm);
    EXPECT_FALSE(gMainForm->IsLoaded()) << "made, not loaded";
    EXPECT_TRUE(host::HostFrame::All().empty());
}

TEST_F(CorvaneTest, CreationKeepsSettingsFilesThatExist) {
    fs::create_directories(Native("C:\\Program Files\\Tovalin\\Corvane"));
    const std::string config = ItemsText({"Parcels", "ML", "Parcels", "300", "labels.odt", "1", "C:\\Docs\\"});
    const std::string fields = "\"anything\"\r\n";
    WriteBytes(ProductFolder() / "config", config);
    WriteBytes(ProductFolder() / "fields", fields);
    CreateCommand();
    EXPECT_EQ(Config(), config);
    EXPECT_EQ(Fields(), fields);
}

TEST_F(CorvaneTest, AHookThatIsNotTheApplicationSetsNothingUp) {
    MakeProgramFiles('C');
    Corvane command;
    command.ICommand_OnCreate(host::New<host::Object>());
    const auto texts = TakeMessages();
    ASSERT_EQ(ReportedErrors(texts), std::vector<long>{13});
    EXPECT_NE(texts[0].find("MODULE: ICommand_OnCreate Corvane \r\n"), std::string::npos);
    EXPECT_FALSE(gMainForm);
    EXPECT_TRUE(gProductName.empty());
    EXPECT_FALSE(fs::exists(Native("C:\\Program Files\\Tovalin")));
}

TEST_F(CorvaneTest, ClicksRepairTheSettingsAndShowOneFrame) {
    Corvane& command = CreateCommand();
    WriteBytes(ProductFolder() / "Documents" / "Labels.doc", "doc");  // the window's load then asks nothing
    command.ICommand_OnClick();
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(Config(), ItemsText(DefaultConfigItems()));
    EXPECT_EQ(Config().substr(Config().rfind("\"C:")), "\"C:\\Program Files\\Tovalin\\Corvane\\Documents\\\"\r\n");
    EXPECT_EQ(Fields(), ItemsText(DefaultFieldsItems()));
    ASSERT_EQ(host::HostFrame::All().size(), 1u);
    host::Ref<host::HostFrame> frame = host::HostFrame::All()[0];
    EXPECT_EQ(frame->Caption(), "Corvane");
    EXPECT_TRUE(frame->Visible());
    EXPECT_EQ(frame->Window(), gMainForm.raw());
    EXPECT_TRUE(gMainForm->IsLoaded());
    const auto appRef = gAppRef;
    EXPECT_EQ(gMxDocument, app_->Document());

    // Files with the right number of items stay as they are, whatever they hold.
    const std::string config = ItemsText({"a", "b", "c", "d", "e", "f", "g"});
    WriteBytes(ProductFolder() / "config", config);
    gMainForm->txtSearch.SetText("typed before hiding");
    frame->SetVisible(false);
    command.ICommand_OnClick();
    EXPECT_TRUE(gMainForm->IsLoaded());
    EXPECT_EQ(gMainForm->txtSearch.Text(), "typed before hiding") << "hiding keeps the window's contents";
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(Config(), config);
    EXPECT_EQ(host::HostFrame::All().size(), 1u);
    EXPECT_EQ(gMainForm->Frame(), frame);
    EXPECT_TRUE(frame->Visible()) << "a click shows the hidden frame again";
    EXPECT_EQ(gAppRef, appRef) << "one AppRef per process";
}

TEST_F(CorvaneTest, EachClickTakesTheCurrentDocument) {
    Corvane& command = CreateCommand();
    command.ICommand_OnClick();
    const auto first = gMxDocument;
    app_->NewDocument();
    command.ICommand_OnClick();
    EXPECT_NE(gMxDocument, first);
    EXPECT_EQ(gMxDocument, app_->Document());
}

TEST_F(CorvaneTest, WithoutProgramFilesTheFilesGoToTheCurrentFolderAndTheClickReports) {
    host::DriveMap::Instance().Unmap('C');
    MapDrive('D');  // the only drive, without Program Files
    Corvane command;
    command.ICommand_OnCreate(host::Ref<host::Object>(app_));
    auto texts = TakeMessages();
    ASSERT_EQ(texts.size(), 1u) << "only the Program Files message";
    EXPECT_EQ(texts[0].rfind("Sorry, Corvane can't find your local Program Files directory.", 0), 0u) << texts[0];
    EXPECT_TRUE(gConfigFilePath.empty());
    EXPECT_EQ(gDocumentsFolder, "Documents\\");
    EXPECT_EQ(gFieldsFilePath, "fields");
    EXPECT_TRUE(fs::is_directory(Native("D:\\Documents")));
    EXPECT_EQ(ReadBytes(Native("D:\\fields")), "");

    command.ICommand_OnClick();
    texts = TakeMessages();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(ReportedErrors(texts)[0], 0);
    EXPECT_NE(texts[0].find("MODULE: ICommand_OnClick Corvane \r\n"), std::string::npos);
    EXPECT_TRUE(host::HostFrame::All().empty());
}

}  // namespace
