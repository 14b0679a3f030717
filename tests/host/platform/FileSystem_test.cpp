#include <gtest/gtest.h>

#include "host/platform/FileSystem.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/HeadlessTest.h"

namespace {

namespace fs = std::filesystem;
using host::FileSystem;
using support::ErrorOf;

class FileSystemTest : public support::HeadlessTest {};

TEST_F(FileSystemTest, ExistenceTestsTellFilesFromFoldersAndSkipUnmappedDrives) {
    fs::create_directories(Native("C:\\Folder\\Sub"));
    WriteBytes(Native("C:\\Folder\\file.txt"), "x");
    struct Case {
        const char* path;
        bool file, folder;
    } cases[] = {
        {"C:\\Folder\\file.txt", true, false},
        {"C:\\Folder\\FILE.TXT", false, false},  // case kept: no such name here
        {"C:\\Folder", false, true},
        {"C:\\Folder\\Sub\\", false, true},
        {"C:\\Folder\\file.txt\\", false, false},
        {"Q:\\Program Files\\", false, false},  // a drive that is not mapped
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileSystem::FileExists(c.path), c.file) << c.path;
        EXPECT_EQ(FileSystem::FolderExists(c.path), c.folder) << c.path;
    }
    EXPECT_EQ(ErrorOf([] { FileSystem::FolderExists("C:\\bad|name"); }), 52);
}

TEST_F(FileSystemTest, CreateFolderMakesOneLevelOnly) {
    FileSystem::CreateFolder("C:\\One\\");
    EXPECT_TRUE(fs::is_directory(Native("C:\\One")));
    WriteBytes(Native("C:\\taken"), "");
    for (auto [path, error] : std::vector<std::pair<const char*, long>>{
             {"C:\\One", 58}, {"C:\\taken", 58}, {"C:\\Two\\Three", 76}, {"Q:\\x", 76}}) {
        EXPECT_EQ(ErrorOf([folder = path] { FileSystem::CreateFolder(folder); }), error) << path;
    }
    EXPECT_FALSE(fs::exists(Native("C:\\Two")));
}

TEST_F(FileSystemTest, DeleteIsNotForcedAndReplaceKeepsReadOnlyTargets) {
    WriteBytes(Native("C:\\plain"), "1");
    WriteBytes(Native("C:\\locked"), "2");
    FileSystem::SetReadOnly("C:\\locked", true);
    fs::create_directory(Native("C:\\dir"));

    FileSystem::DeleteFile("C:\\plain");
    EXPECT_FALSE(fs::exists(Native("C:\\plain")));
    EXPECT_EQ(ErrorOf([] { FileSystem::DeleteFile("C:\\locked"); }), 70);
    EXPECT_EQ(ReadBytes(Native("C:\\locked")), "2");
    EXPECT_EQ(ErrorOf([] { FileSystem::DeleteFile("C:\\dir"); }), 53);

    WriteBytes(Native("C:\\new"), "fresh");
    EXPECT_EQ(ErrorOf([] { FileSystem::ReplaceFile("C:\\new", "C:\\locked"); }), 70);
    EXPECT_EQ(ReadBytes(Native("C:\\locked")), "2");
    FileSystem::SetReadOnly("C:\\locked", false);
    FileSystem::ReplaceFile("C:\\new", "C:\\locked");
    EXPECT_EQ(ReadBytes(Native("C:\\locked")), "fresh");
}

TEST_F(FileSystemTest, ListingsSortIgnoringCaseAndLeaveOutWhatCannotBeNamed) {
    fs::create_directories(Native("C:\\Docs\\beta"));
    fs::create_directories(Native("C:\\Docs\\Alpha"));
    for (const char* name : {"b.doc", "A.dot", "a.doc", "Export.txt", ".hidden", "back\\slash", "co:lon"})
        WriteBytes(TempRoot() / "drive_c" / "Docs" / name, "");
    fs::create_symlink("nowhere", TempRoot() / "drive_c" / "Docs" / "dangling");

    EXPECT_EQ(FileSystem::Files("C:\\Docs\\"), (std::vector<std::string>{"a.doc", "A.dot", "b.doc", "Export.txt"}));
    EXPECT_EQ(FileSystem::SubFolders("C:\\Docs"), (std::vector<std::string>{"Alpha", "beta"}));
    EXPECT_EQ(ErrorOf([] { FileSystem::SubFolders("C:\\Docs\\b.doc"); }), 76);
}

}  // namespace
