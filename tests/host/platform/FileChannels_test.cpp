#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
    static struct stat StatusOf(const fs::path& file) {
        struct stat status {};
        EXPECT_EQ(::stat(file.c_str(), &status), 0) << file;
        return status;
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

// A full disk names the file and leaves the former one, whether the new version goes to a
// temporary file beside it or, in a folder that takes no new file, over the file itself
// (which then fails before the former file changes).
TEST_F(FileChannelsTest, AFullDiskNamesTheFileAndLeavesTheFormerFile) {
    const fs::path folder = MapDrive('E');
    std::string whyNot;
    const auto disk = support::FullFileSystem::Mount(folder, whyNot);
    if (!disk) GTEST_SKIP() << whyNot;
    WriteBytes(folder / "t", "old\r\n");
    disk->Fill();
    for (const bool inPlace : {false, true}) {
        std::unique_ptr<support::ClosedFolder> closed;
        if (inPlace) {
            closed = support::ClosedFolder::Close(folder, whyNot);
            if (!closed) GTEST_SKIP() << whyNot;
        }
        const host::RuntimeError e = ReplaceFailure("E:\\t", inPlace ? 10000 : 10);
        EXPECT_EQ(e.Number(), 61) << inPlace;
        EXPECT_EQ(e.Description(), "Disk full: \"E:\\t\" could not be written (No space left on device)");
        EXPECT_EQ(ReadBytes(folder / "t"), "old\r\n") << inPlace;
        EXPECT_EQ(Names(folder), (std::vector<std::string>{"filler", "t"})) << inPlace;
    }
}

TEST_F(FileChannelsTest, InputOnlyOpensPlainFiles) {
    ASSERT_EQ(mkfifo(Native("C:\\pipe").c_str(), 0600), 0);
    EXPECT_EQ(ErrorOf([&] { channels.OpenForInput(1, "C:\\pipe"); }), 75);  // would block for ever
    EXPECT_FALSE(channels.IsOpen(1));
}

// A file that is a symbolic link, or a chain of them, is written through: its final target
// gets the new version (keeping its mode), the temporary file is made beside the target,
// and every link stays a link. A link to nothing creates its target, as a plain write does.
TEST_F(FileChannelsTest, ReplaceWritesThroughLinksAndKeepsThem) {
    const fs::path root = Native("C:\\");
    fs::create_directories(root / "targets");
    fs::create_directories(root / "sub");
    WriteBytes(root / "targets" / "t", "old\r\n");
    fs::permissions(root / "targets" / "t", fs::perms(0600));
    fs::create_symlink(root / "targets" / "t", root / "absolute");
    fs::create_symlink("../targets/t", root / "sub" / "relative");
    fs::create_symlink("sub/relative", root / "chain");
    fs::create_symlink("targets/new", root / "dangling");
    fs::create_symlink("loop", root / "loop");

    struct Case {
        const char* path;
        const char* target;  // in C:\targets
    } cases[] = {{"C:\\absolute", "t"}, {"C:\\sub\\relative", "t"}, {"C:\\chain", "t"}, {"C:\\dangling", "new"}};
    for (const auto& c : cases) {
        EXPECT_EQ(ReplaceFailure(c.path, 3).Number(), 0) << c.path;
        EXPECT_EQ(ReadBytes(root / "targets" / c.target), "nnn\r\n") << c.path;
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(Native(c.path)))) << c.path;
        fs::remove(root / "targets" / "new");
    }
    EXPECT_EQ(StatusOf(root / "targets" / "t").st_mode & 07777, 0600u);
    const host::RuntimeError e = ReplaceFailure("C:\\loop", 1);
    EXPECT_EQ(e.Description(),
              "Path/File access error: \"C:\\loop\" could not be opened (Too many levels of symbolic links)");
    EXPECT_EQ(Names(root), (std::vector<std::string>{"absolute", "chain", "dangling", "loop", "sub", "targets"}));
    EXPECT_EQ(Names(root / "targets"), std::vector<std::string>{"t"});
    EXPECT_EQ(Names(root / "sub"), std::vector<std::string>{"relative"});
}

// The new version keeps the former file's permission bits and group (one other than this
// process's own where it may set one); a new file gets 0666 less the umask.
TEST_F(FileChannelsTest, ReplaceKeepsTheModeAndGroupAndANewFileGetsTheUsualMode) {
    const fs::path file = Native("C:\\t");
    gid_t group = getegid();
    if (geteuid() == 0) {
        group = 4242;
    } else {
        std::vector<gid_t> groups(static_cast<std::size_t>(std::max(getgroups(0, nullptr), 0)));
        groups.resize(static_cast<std::size_t>(std::max(getgroups(static_cast<int>(groups.size()), groups.data()), 0)));
        for (gid_t other : groups) group = other != getegid() ? other : group;
    }
    for (const mode_t mode : {0600u, 0640u, 0604u, 0750u}) {
        WriteBytes(file, "old\r\n");
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        ASSERT_EQ(::chown(file.c_str(), static_cast<uid_t>(-1), group), 0);
        EXPECT_EQ(ReplaceFailure("C:\\t", 3).Number(), 0);
        EXPECT_EQ(StatusOf(file).st_mode & 07777, mode) << std::oct << mode;
        EXPECT_EQ(StatusOf(file).st_gid, group);
    }
    const mode_t saved = ::umask(027);
    EXPECT_EQ(ReplaceFailure("C:\\new", 3).Number(), 0);
    ::umask(0);
    EXPECT_EQ(ReplaceFailure("C:\\new0", 3).Number(), 0);
    ::umask(saved);
    EXPECT_EQ(StatusOf(Native("C:\\new")).st_mode & 07777, 0640u);
    EXPECT_EQ(StatusOf(Native("C:\\new0")).st_mode & 07777, 0666u);
}

// A file made read-only after the channel was opened is not replaced at the commit.
TEST_F(FileChannelsTest, AFileMadeReadOnlyBeforeTheCommitIsRefusedAndKept) {
    WriteBytes(Native("C:\\t"), "old\r\n");
    channels.OpenForReplace(1, "C:\\t");
    channels.WriteItem(1, "new");
    host::FileSystem::SetReadOnly("C:\\t", true);
    try {
        channels.Commit(1);
        ADD_FAILURE() << "no error";
    } catch (const host::RuntimeError& e) {
        EXPECT_EQ(e.Description(), "Permission denied: \"C:\\t\" is read-only");
    }
    EXPECT_FALSE(channels.IsOpen(1));
    EXPECT_EQ(ReadBytes(Native("C:\\t")), "old\r\n");
    EXPECT_EQ(Names(Native("C:\\")), std::vector<std::string>{"t"});
}

// In a folder that takes no new file, a file that may be written is rewritten in place
// at the commit: whole, in its own inode and mode, and only then.
TEST_F(FileChannelsTest, AFolderThatTakesNoNewFileHasItsFileRewrittenInPlace) {
    const fs::path folder = Native("C:\\closed");
    fs::create_directory(folder);
    WriteBytes(folder / "t", "old\r\n");
    fs::permissions(folder / "t", fs::perms(0640));
    std::string whyNot;
    const auto closed = support::ClosedFolder::Close(folder, whyNot);
    if (!closed) GTEST_SKIP() << whyNot;
    const ino_t inode = StatusOf(folder / "t").st_ino;

    for (const std::size_t size : {100000u, 3u}) {  // longer, then shorter than before
        EXPECT_EQ(ReplaceFailure("C:\\closed\\t", size).Description(), "") << size;
        EXPECT_EQ(ReadBytes(folder / "t"), std::string(size, 'n') + "\r\n");
    }
    EXPECT_EQ(StatusOf(folder / "t").st_ino, inode);
    EXPECT_EQ(StatusOf(folder / "t").st_mode & 07777, 0640u);

    channels.OpenForReplace(1, "C:\\closed\\t");
    channels.WriteLine(1, std::string(100000, 'x'));
    EXPECT_EQ(ReadBytes(folder / "t"), "nnn\r\n") << "nothing shows before the commit";
    host::FileSystem::SetReadOnly("C:\\closed\\t", true);
    EXPECT_EQ(ErrorOf([&] { channels.Commit(1); }), 70);
    host::FileSystem::SetReadOnly("C:\\closed\\t", false);
    {
        const support::WriteLimit limit(100);  // no room for the new content
        EXPECT_EQ(ReplaceFailure("C:\\closed\\t", 1000).Description(),
                  "Path/File access error: \"C:\\closed\\t\" could not be written (File too large)");
    }
    EXPECT_EQ(ReadBytes(folder / "t"), "nnn\r\n");
    const host::RuntimeError e = ReplaceFailure("C:\\closed\\new", 1);  // nothing to rewrite
    EXPECT_EQ(e.Number(), 70);
    EXPECT_TRUE(e.Description().starts_with(
        "Permission denied: \"C:\\closed\\new\" could not be written: no file can be made beside it ("))
        << e.Description();
    EXPECT_EQ(Names(folder), std::vector<std::string>{"t"});
}

// The temporary files of writers killed during a write go at the next replace in their
// folder; those of processes that run, and every other file, stay.
TEST_F(FileChannelsTest, TemporaryFilesOfWritersThatNoLongerRunGoAndOnlyThose) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(0);
    ASSERT_EQ(waitpid(child, nullptr, 0), child);
    const std::string dead = std::to_string(child);
    const std::string self = std::to_string(getpid());
    const fs::path folder = Native("C:\\");
    const std::pair<std::string, bool> cases[] = {
        {".corvane-" + dead + "-0.tmp", true},
        {".corvane-" + dead + "-18446744073709551615.tmp", true},
        {".corvane-" + self + "-3.tmp", false},  // this process's own write
        {".corvane-1-0.tmp", false},             // a process that runs
        {".corvane-0" + dead + "-0.tmp", false},
        {".corvane-" + dead + "-00.tmp", false},
        {".corvane-" + dead + "-.tmp", false},
        {".corvane-" + dead + "-0-1.tmp", false},
        {".corvane-" + dead + "-18446744073709551616.tmp", false},
        {".corvane-+" + dead + "-0.tmp", false},
        {".corvane-99999999999999999999-0.tmp", false},
        {".corvane-" + dead + "-0.tmp~", false},
        {"corvane-" + dead + "-0.tmp", false},
        {".Corvane-" + dead + "-0.tmp", false},
        {".hidden", false},
    };
    for (const auto& [name, goes] : cases) WriteBytes(folder / name, "partial");
    fs::create_directory(folder / (".corvane-" + dead + "-1.tmp"));
    fs::create_symlink(".hidden", folder / (".corvane-" + dead + "-2.tmp"));

    EXPECT_EQ(ReplaceFailure("C:\\t", 1).Number(), 0);
    for (const auto& [name, goes] : cases) EXPECT_EQ(fs::exists(folder / name), !goes) << name;
    EXPECT_TRUE(fs::is_directory(folder / (".corvane-" + dead + "-1.tmp")));
    EXPECT_TRUE(fs::is_symlink(folder / (".corvane-" + dead + "-2.tmp")));
}

}  // namespace
