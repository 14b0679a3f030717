#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "host/core/RuntimeError.h"
#include "host/platform/FileChannels.h"
#include "host/platform/FileSystem.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/FileFaults.h"
#include "tests/support/HeadlessTest.h"

namespace {

namespace fs = std::filesystem;
using support::ErrorOf;

class FileChannelsTest : public support::HeadlessTest {
protected:
    host::FileChannels& channels = host::FileChannels::Instance();

    // The names in a folder of this machine, hidden ones included.
    static std::vector<std::string> Names(const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // Replaces the file through a channel with `size` bytes; the error raised, if any.
    static host::RuntimeError ReplaceFailure(const std::string& path, std::size_t size) {
        auto& channels = host::FileChannels::Instance();
        try {
            channels.OpenForReplace(1, path);
            channels.WriteLine(1, std::string(size, 'n'));
            channels.Commit(1);
        } catch (const host::RuntimeError& e) {
            channels.Close(1);  // as the writers do: the temporary file goes
            return e;
        }
        return host::RuntimeError(0, "");
    }
};

TEST_F(FileChannelsTest, AppendCreatesKeepsAndAddsCrLfItems) {
    channels.OpenForAppend(1, "C:\\config");
    channels.Close(1);
    EXPECT_EQ(ReadBytes(Native("C:\\config")), "");

    WriteBytes(Native("C:\\config"), "\"kept\"\r\n");
    channels.OpenForAppend(1, "C:\\config");
    channels.WriteItem(1, "NONE");
    channels.WriteItem(1, "");
    channels.WriteLine(1, "\"a\"\t\"b\"");
    channels.Close(1);
    EXPECT_EQ(ReadBytes(Native("C:\\config")), "\"kept\"\r\n\"NONE\"\r\n\"\"\r\n\"a\"\t\"b\"\r\n");

    channels.OpenForInput(2, "c:/config");
    std::vector<std::string> items;
    while (!channels.Eof(2)) items.push_back(channels.ReadItem(2));
    EXPECT_EQ(items, (std::vector<std::string>{"kept", "NONE", "", "a"}));
    EXPECT_EQ(ErrorOf([&] { channels.ReadItem(2); }), 62);
    channels.Close(2);
}

TEST_F(FileChannelsTest, ErrorsOfNumbersModesAndPaths) {
    WriteBytes(Native("C:\\data"), "\"x\"\r\n");
    fs::create_directory(Native("C:\\folder"));
    channels.OpenForInput(1, "C:\\data");
    channels.OpenForAppend(3, "C:\\out");

    struct Case {
        const char* what;
        std::function<void()> statement;
        long error;
    } cases[] = {
        {"open an open number", [&] { channels.OpenForAppend(1, "C:\\other"); }, 55},
        {"number 0", [&] { channels.OpenForInput(0, "C:\\data"); }, 52},
        {"read a closed number", [&] { channels.ReadItem(2); }, 52},
        {"write to input", [&] { channels.WriteItem(1, "x"); }, 54},
        {"read from append", [&] { channels.ReadItem(3); }, 54},
        {"input of a missing file", [&] { channels.OpenForInput(2, "C:\\missing"); }, 53},
        {"input in a missing folder", [&] { channels.OpenForInput(2, "C:\\none\\x"); }, 76},
        {"input of a folder", [&] { channels.OpenForInput(2, "C:\\folder"); }, 75},
        {"append to a folder", [&] { channels.OpenForAppend(2, "C:\\folder\\"); }, 75},
        {"drive not mapped", [&] { channels.OpenForAppend(2, "Q:\\x"); }, 76},
    };
    for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.statement), c.error) << c.what;
    EXPECT_FALSE(channels.IsOpen(2));

    host::FileSystem::SetReadOnly("C:\\data", true);
    EXPECT_EQ(ErrorOf([&] { channels.OpenForAppend(2, "C:\\data"); }), 75);
    EXPECT_EQ(ReadBytes(Native("C:\\data")), "\"x\"\r\n");
}

TEST_F(FileChannelsTest, ReplaceLeavesTheFileWholeOrAsItWas) {
    const fs::path folder = Native("C:\\");
    WriteBytes(folder / "t", "old\r\n");

    // Two writers of one file at once: each has its own temporary file; the last commit
    // wins whole, and an abandoned one leaves nothing behind.
    const char* texts[] = {"one", "two", "three"};
    for (int n = 1; n <= 3; ++n) channels.OpenForReplace(n, "C:\\t");
    for (int n = 1; n <= 3; ++n) channels.WriteItem(n, texts[n - 1]);
    EXPECT_EQ(Names(folder).size(), 4u) << "three temporary files beside t";
    EXPECT_EQ(ReadBytes(folder / "t"), "old\r\n") << "nothing shows before a commit";
    channels.Commit(2);
    EXPECT_EQ(ReadBytes(folder / "t"), "\"two\"\r\n");
    channels.Commit(1);
    channels.Close(3);
    EXPECT_EQ(ReadBytes(folder / "t"), "\"one\"\r\n");
    EXPECT_EQ(Names(folder), std::vector<std::string>{"t"});

    // Refused before anything is written, with the path and the trouble in the description.
    fs::create_directory(folder / "dir");
    WriteBytes(folder / "ro", "kept");
    host::FileSystem::SetReadOnly("C:\\ro", true);
    struct Case {
        const char* path;
        long error;
        const char* says;
    } cases[] = {
        {"C:\\dir", 75, "Path/File access error: \"C:\\dir\" is a folder, not a file"},
        {"C:\\ro", 70, "Permission denied: \"C:\\ro\" is read-only"},
        {"C:\\none\\t", 76, "Path not found: \"C:\\none\\t\" cannot be reached: its folder does not exist"},
    };
    for (const auto& c : cases) {
        const host::RuntimeError e = ReplaceFailure(c.path, 1);
        EXPECT_EQ(e.Number(), c.error) << c.path;
        EXPECT_EQ(e.Description(), c.says);
        EXPECT_FALSE(channels.IsOpen(1));
    }
    EXPECT_EQ(ReadBytes(folder / "ro"), "kept");
    channels.OpenForAppend(1, "C:\\t");
    EXPECT_EQ(ErrorOf([&] { channels.Commit(1); }), 54);
    EXPECT_EQ(Names(folder), (std::vector<std::string>{"dir", "ro", "t"}));
}

TEST_F(FileChannelsTest, AFailedWriteNamesTheFileAndTheCauseAndLeavesTheFormerFile) {
    WriteBytes(Native("C:\\t"), "old\r\n");
    host::RuntimeError e(0);
    {
        const support::WriteLimit limit(100);  // a write failing part-way, as on a full disk
        e = ReplaceFailure("C:\\t", 100000);
        EXPECT_EQ(ErrorOf([&] {
                      channels.OpenForAppend(2, "C:\\t");
                      channels.WriteLine(2, std::string(200, 'n'));
                  }),
                  75);
        channels.Close(2);
    }
    EXPECT_EQ(e.Number(), 75);
    EXPECT_EQ(e.Description(), "Path/File access error: \"C:\\t\" could not be written (File too large)");
    EXPECT_EQ(ReadBytes(Native("C:\\t")).substr(0, 5), "old\r\n");
    EXPECT_EQ(Names(Native("C:\\")), std::vector<std::string>{"t"});
}

TEST_F(FileChannelsTest, AFullDiskNamesTheFileAndLeavesTheFormerFile) {
    const fs::path folder = MapDrive('E');
    std::string whyNot;
    const auto disk = support::FullFileSystem::Mount(folder, whyNot);
    if (!disk) GTEST_SKIP() << whyNot;
    WriteBytes(folder / "t", "old\r\n");
    disk->Fill();
    const host::RuntimeError e = ReplaceFailure("E:\\t", 10);
    EXPECT_EQ(e.Number(), 61);
    EXPECT_EQ(e.Description(), "Disk full: \"E:\\t\" could not be written (No space left on device)");
    EXPECT_EQ(ReadBytes(folder / "t"), "old\r\n");
    EXPECT_EQ(Names(folder), (std::vector<std::string>{"filler", "t"}));
}

TEST_F(FileChannelsTest, InputOnlyOpensPlainFiles) {
    ASSERT_EQ(mkfifo(Native("C:\\pipe").c_str(), 0600), 0);
    EXPECT_EQ(ErrorOf([&] { channels.OpenForInput(1, "C:\\pipe"); }), 75);  // would block for ever
    EXPECT_FALSE(channels.IsOpen(1));
}

}  // namespace
