#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "host/platform/FileChannels.h"
#include "host/platform/FileSystem.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/HeadlessTest.h"

namespace {

namespace fs = std::filesystem;
using support::ErrorOf;

class FileChannelsTest : public support::HeadlessTest {
protected:
    host::FileChannels& channels = host::FileChannels::Instance();
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

    struct Case { const char* what; std::function<void()> statement; long error; } cases[] = {
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

TEST_F(FileChannelsTest, InputOnlyOpensPlainFiles) {
    ASSERT_EQ(mkfifo(Native("C:\\pipe").c_str(), 0600), 0);
    EXPECT_EQ(ErrorOf([&] { channels.OpenForInput(1, "C:\\pipe"); }), 75);  // would block for ever
    EXPECT_FALSE(channels.IsOpen(1));
}

}  // namespace
