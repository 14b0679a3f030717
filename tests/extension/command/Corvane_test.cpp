#include "extension/command/Corvane.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "extension/command/Globals.h"
#include "extension/command/Settings.h"
#include "extension/mainwindow/frmMain.h"
#include "extension/resources/frmResources.h"
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
    static std::string Join(const std::vector<std::string>& items) {
        std::string text;
        for (const auto& item : items) text += "\"" + item + "\"\r\n";
        return text;
    }
};

TEST_F(CorvaneTest, PropertiesAreFixedTextsBeforeCreation) {
    Corvane command;  // no OnCreate: the identity values are still empty
    ASSERT_TRUE(gProductName.empty());
    EXPECT_TRUE(command.ICommand_Enabled());
    EXPECT_FALSE(command.ICommand_Checked());
    EXPECT_EQ(command.ICommand_Name(), "Tovalin_Corvane");
    EXPECT_EQ(command.ICommand_Caption(), "Corvane");
    EXPECT_EQ(command.ICommand_Tooltip(), "Corvane - Buffer, Select, and Report");
    EXPECT_EQ(command.ICommand_Message(), std::string("Tovalin: ") + kMakerWebAddress);
    EXPECT_EQ(command.ICommand_HelpFile(), "");
    EXPECT_EQ(command.ICommand_HelpContextID(), 0);
    EXPECT_EQ(command.ICommand_Category(), "Tovalin");
}

TEST_F(CorvaneTest, BitmapHandleGivesTheSixteenBySixteenPicture) {
    Corvane command;
    const std::int32_t handle = command.ICommand_Bitmap();
    ASSERT_NE(handle, 0);
    EXPECT_EQ(command.ICommand_Bitmap(), handle);
    const host::Picture* picture = PictureFromHandle(handle);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 16);
    EXPECT_EQ(picture->Height(), 16);
    const std::set<std::uint32_t> colours(picture->Pixels().begin(), picture->Pixels().end());
    EXPECT_GE(colours.size(), 4u) << "a picture, not a plain square";
    for (std::uint32_t pixel : colours) EXPECT_EQ(pixel & 0xFF000000u, 0u) << "24 bits a pixel";
    EXPECT_EQ(PictureFromHandle(0), nullptr);
    EXPECT_TRUE(Messages().Texts().empty());
}

TEST_F(CorvaneTest, CreationMakesTheProductFolderOnTheFirstProgramFilesDrive) {
    MapDrive('D');
    MakeProgramFiles('D');
    CreateCommand();  // Program Files on C: too: C: wins

    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(gProductName, "Corvane");
    EXPECT_EQ(gVersion, "v2.25");
    EXPECT_EQ(gDriveLetter, "C");
    EXPECT_EQ(gProductFolder, "C:\\Program Files\\Tovalin\\Corvane\\");
    EXPECT_EQ(gConfigFilePath, gProductFolder + "config");
    EXPECT_EQ(gFieldsFilePath, gProductFolder + "fields");
    EXPECT_EQ(gDocumentsFolder, gProductFolder + "Documents\\");
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
    EXPECT_EQ(Config(), Join(DefaultConfigItems()));
    EXPECT_EQ(Config().substr(Config().rfind("\"C:")), "\"C:\\Program Files\\Tovalin\\Corvane\\Documents\\\"\r\n");
    EXPECT_EQ(Fields(), Join(DefaultFieldsItems()));
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

TEST_F(CorvaneTest, ClickRewritesFilesWithAnotherItemCount) {
    struct Case {
        std::string config;
        std::string fields;
        bool configKept;
        bool fieldsKept;
    };
    const std::string seven = ItemsText({"L", "F", "S", "50", "d", "0", "C:\\Program Files\\Tovalin\\Corvane\\Documents\\"});
    const std::string sixteen = ItemsText({"ID", "XPARCELIDX", "NONE", "NONEXNAMEAX", "", "XNAMEBX", "a,b", "XADDRESSAX",
                                           "NONE", "NONEXADDRESSBX", "c", "XCITYX", "s", "XSTATEX", "z", "XZIPX"});
    const Case cases[] = {
        {seven, sixteen, true, true},
        {seven + "\"stray\"\r\n", sixteen, false, true},
        {ItemsText({"1", "2", "3", "4", "5", "6"}), sixteen.substr(0, sixteen.rfind("\"z\"")), false, false},
        {"\r\n\r\n\r\n\r\n\r\n\r\n\r\n", "", true, false},  // seven empty lines are seven items
    };
    Corvane& command = CreateCommand();
    WriteBytes(ProductFolder() / "Documents" / "Labels.doc", "doc");  // the window's load then asks nothing
    for (const Case& c : cases) {
        WriteBytes(ProductFolder() / "config", c.config);
        WriteBytes(ProductFolder() / "fields", c.fields);
        command.ICommand_OnClick();
        EXPECT_TRUE(TakeMessages().empty());
        EXPECT_EQ(Config(), c.configKept ? c.config : Join(DefaultConfigItems())) << c.config;
        EXPECT_EQ(Fields(), c.fieldsKept ? c.fields : Join(DefaultFieldsItems())) << c.fields;
    }
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

TEST_F(CorvaneTest, WithoutProgramFilesTheClickReportsAndShowsNothing) {
    Corvane command;
    command.ICommand_OnCreate(host::Ref<host::Object>(app_));
    auto texts = TakeMessages();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rfind("Sorry, Corvane can't find your local Program Files directory.", 0), 0u) << texts[0];
    EXPECT_TRUE(gProductFolder.empty());
    EXPECT_TRUE(gConfigFilePath.empty());

    command.ICommand_OnClick();
    texts = TakeMessages();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(ReportedErrors(texts)[0], 0);
    EXPECT_NE(texts[0].find("MODULE: ICommand_OnClick Corvane \r\n"), std::string::npos);
    EXPECT_TRUE(host::HostFrame::All().empty());
}

TEST_F(CorvaneTest, WithoutProgramFilesTheFolderAndFieldsGoToTheCurrentFolder) {
    host::DriveMap::Instance().Unmap('C');
    MapDrive('D');  // the only drive, without Program Files
    Corvane command;
    command.ICommand_OnCreate(host::Ref<host::Object>(app_));
    const auto texts = TakeMessages();
    ASSERT_EQ(texts.size(), 1u) << "only the Program Files message";
    EXPECT_EQ(texts[0].rfind("Sorry, Corvane can't find", 0), 0u) << texts[0];
    EXPECT_EQ(gDocumentsFolder, "Documents\\");
    EXPECT_EQ(gFieldsFilePath, "fields");
    EXPECT_TRUE(fs::is_directory(Native("D:\\Documents")));
    EXPECT_EQ(ReadBytes(Native("D:\\fields")), "");
}

}  // namespace
