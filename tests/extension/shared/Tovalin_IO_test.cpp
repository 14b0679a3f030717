#include <gtest/gtest.h>

#include "extension/command/Globals.h"
#include "extension/shared/Tovalin_IO.h"
#include "host/platform/FileSystem.h"
#include "tests/support/HeadlessTest.h"

namespace {

namespace fs = std::filesystem;

class TovalinIOTest : public support::HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        SetIdentity();
    }
};

TEST_F(TovalinIOTest, FirstDriveWithProgramFilesWinsAndGetsTheProductFolder) {
    MapDrive('D');
    MapDrive('E');
    MakeProgramFiles('D');
    MakeProgramFiles('C');
    MakeProgramFiles('E');
    ASSERT_EQ(ResolveProductFolder("Tovalin", "Corvane", "config", ""), 1);
    EXPECT_EQ(gDriveLetter, "C");
    EXPECT_EQ(gProductFolder, "C:\\Program Files\\Tovalin\\Corvane\\");
    EXPECT_EQ(gConfigFilePath, "C:\\Program Files\\Tovalin\\Corvane\\config");
    EXPECT_EQ(ReadBytes(Native(gConfigFilePath)), "");
    EXPECT_FALSE(fs::exists(Native("D:\\Program Files\\Tovalin")));
    EXPECT_TRUE(Messages().Shown().empty());

    // A second run leaves the folder and an existing file as they are.
    WriteBytes(Native(gConfigFilePath), "\"kept\"\r\n");
    ASSERT_EQ(ResolveProductFolder("Tovalin", "Corvane", "config", ""), 1);
    EXPECT_EQ(ReadBytes(Native(gConfigFilePath)), "\"kept\"\r\n");
    EXPECT_TRUE(Messages().Shown().empty());
}

TEST_F(TovalinIOTest, SubLevelAndFileNameShapeThePaths) {
    host::DriveMap::Instance().Unmap('C');
    MapDrive('D');
    MakeProgramFiles('D');
    ASSERT_EQ(ResolveProductFolder("Tovalin", "Corvane", "", "Tools"), 1);
    EXPECT_EQ(gDriveLetter, "D");
    EXPECT_EQ(gProductFolder, "D:\\Program Files\\Tovalin\\Tools\\Corvane\\");
    EXPECT_EQ(gConfigFilePath, "");
    EXPECT_TRUE(fs::is_directory(Native(gProductFolder)));
    EXPECT_TRUE(fs::is_empty(Native(gProductFolder)));
}

TEST_F(TovalinIOTest, NoProgramFilesAnywhereGivesOneMessageAndMinusOne) {
    MapDrive('D');
    gProductFolder = "";
    EXPECT_EQ(ResolveProductFolder("Tovalin", "Corvane", "config", ""), -1);
    EXPECT_EQ(Messages().Texts(),
              std::vector<std::string>{"Sorry, Corvane can't find your local Program Files directory. Please email "
                                       "support@example.com. Thanks!"});
    EXPECT_EQ(gDriveLetter, "");
    EXPECT_EQ(gProductFolder, "");
    EXPECT_EQ(gConfigFilePath, "");
    EXPECT_TRUE(fs::is_empty(TempRoot() / "drive_c"));
}

TEST_F(TovalinIOTest, FailureOnTheWayReturnsMinusOneAfterTheHelpersReport) {
    MakeProgramFiles('C');
    // A file where the maker folder should be: creating the product folder under it fails.
    WriteBytes(Native("C:\\Program Files\\Tovalin"), "");
    EXPECT_EQ(ResolveProductFolder("Tovalin", "Corvane", "config", ""), -1);
    EXPECT_EQ(gDriveLetter, "C");  // set before the failure, and kept
    EXPECT_EQ(gProductFolder, "C:\\Program Files\\Tovalin\\Corvane\\");
    EXPECT_EQ(gConfigFilePath, "");
    EXPECT_EQ(ReportModules(), (std::vector<std::string>{"fCreateDirectory Tovalin_IO ",
                                                           "fCreateDirectory Tovalin_IO "}));
}

TEST_F(TovalinIOTest, HelpersReportTheirFailuresAndGoOn) {
    fs::create_directory(Native("C:\\There"));
    WriteBytes(Native("C:\\locked.txt"), "keep");
    host::FileSystem::SetReadOnly("C:\\locked.txt", true);

    fDeleteFile("C:\\not here.txt");  // nothing happens, nothing is shown
    EXPECT_TRUE(Messages().Shown().empty());

    fCreateDirectory("C:\\There");
    fDeleteFile("C:\\locked.txt");
    EXPECT_FALSE(fDoesFileExist(""));
    EXPECT_FALSE(fDoesDirectoryExist("C:\\a|b"));
    EXPECT_EQ(ReportModules(), (std::vector<std::string>{"fCreateDirectory Tovalin_IO ", "fDeleteFile Tovalin_IO ",
                                                           "fDoesFileExist Tovalin_IO ",
                                                           "fDoesDirectoryExist Tovalin_IO "}));
    EXPECT_EQ(ReadBytes(Native("C:\\locked.txt")), "keep");

    EXPECT_TRUE(fDoesFileExist("C:\\locked.txt"));
    EXPECT_TRUE(fDoesDirectoryExist("c:\\There\\"));
    host::FileSystem::SetReadOnly("C:\\locked.txt", false);
    fDeleteFile("C:\\locked.txt");
    EXPECT_FALSE(fDoesFileExist("C:\\locked.txt"));
    EXPECT_EQ(Messages().Shown().size(), 4u);
}

}  // namespace
