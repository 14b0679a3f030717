#include <gtest/gtest.h>

#include "extension/command/Globals.h"
#include "extension/shared/Tovalin_IO.h"
#include "host/platform/FileSystem.h"
#include "tests/support/HeadlessTest.h"

namespace {

namespace fs = std::filesystem;
using Items = std::vector<std::string>;

class TovalinIOTest : public support::HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        SetIdentity();
    }
};

TEST_F(TovalinIOTest, FirstDriveWithProgramFilesWinsAndKeepsAnExistingFile) {
    MapDrive('D');
    MakeProgramFiles('D');
    MakeProgramFiles('C');
    fs::create_directories(Native("C:\\Program Files\\Tovalin\\Corvane"));
    WriteBytes(Native("C:\\Program Files\\Tovalin\\Corvane\\config"), "\"kept\"\r\n");
    ASSERT_EQ(ResolveProductFolder("Tovalin", "Corvane", "config", ""), 1);
    EXPECT_EQ(gConfigFilePath, "C:\\Program Files\\Tovalin\\Corvane\\config");
    EXPECT_EQ(ReadBytes(Native(gConfigFilePath)), "\"kept\"\r\n");
    EXPECT_FALSE(fs::exists(Native("D:\\Program Files\\Tovalin")));

    ASSERT_EQ(ResolveProductFolder("Tovalin", "Corvane", "", "Tools"), 1);
    EXPECT_EQ(gProductFolder, "C:\\Program Files\\Tovalin\\Tools\\Corvane\\");
    EXPECT_TRUE(fs::is_directory(Native(gProductFolder)));
    EXPECT_TRUE(Messages().Shown().empty());
}

TEST_F(TovalinIOTest, NoProgramFilesAnywhereGivesOneMessageAndMinusOne) {
    EXPECT_EQ(ResolveProductFolder("Tovalin", "Corvane", "config", ""), -1);
    EXPECT_EQ(Messages().Texts(), Items{"Sorry, Corvane can't find your local Program Files directory. Please email "
                                        "support@example.com. Thanks!"});
    EXPECT_EQ(gDriveLetter, "");
    EXPECT_TRUE(fs::is_empty(TempRoot() / "drive_c"));
}

TEST_F(TovalinIOTest, FailureOnTheWayReturnsMinusOneAfterTheHelpersReport) {
    MakeProgramFiles('C');
    // A file where the maker folder should be: creating the product folder under it fails.
    WriteBytes(Native("C:\\Program Files\\Tovalin"), "");
    EXPECT_EQ(ResolveProductFolder("Tovalin", "Corvane", "config", ""), -1);
    // Named all the same, so that the settings steps report what is wrong with it.
    EXPECT_EQ(gConfigFilePath, "C:\\Program Files\\Tovalin\\Corvane\\config");
    EXPECT_EQ(ReportModules(), (Items{"fCreateDirectory Tovalin_IO ", "fCreateDirectory Tovalin_IO "}));
}

TEST_F(TovalinIOTest, HelpersReportTheirFailuresAndGoOn) {
    WriteBytes(Native("C:\\locked.txt"), "keep");
    host::FileSystem::SetReadOnly("C:\\locked.txt", true);
    fDeleteFile("C:\\not here.txt");  // nothing happens, nothing is shown
    fDeleteFile("C:\\locked.txt");
    EXPECT_FALSE(fDoesFileExist(""));
    EXPECT_FALSE(fDoesDirectoryExist("C:\\a|b"));
    EXPECT_EQ(ReportModules(),
              (Items{"fDeleteFile Tovalin_IO ", "fDoesFileExist Tovalin_IO ", "fDoesDirectoryExist Tovalin_IO "}));
    EXPECT_TRUE(fDoesFileExist("C:\\locked.txt"));
    EXPECT_TRUE(fDoesDirectoryExist("c:\\"));
}

TEST(TovalinIO, FoldersEndInExactlyOneBackslash) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Docs", "C:\\Docs\\"},
        {"C:\\Docs\\", "C:\\Docs\\"},
        {"C:\\Docs\\\\", "C:\\Docs\\"},
        {"C:\\Docs/", "C:\\Docs\\"},
        {"C:", "C:\\"},
        {"C:\\", "C:\\"},
        {"", ""},
    };
    for (const auto& [folder, expected] : cases) EXPECT_EQ(WithOneTrailingBackslash(folder), expected) << folder;
}

}  // namespace
