#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

#include <algorithm>
#include <chrono>
#include <functional>
#include <future>
#include <optional>
#include <set>
#include <tuple>

#include "extension/command/Globals.h"
#include "extension/command/Settings.h"
#include "host/platform/FileChannels.h"
#include "host/platform/FileLock.h"
#include "host/platform/FileSystem.h"
#include "host/platform/ItemReader.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/FileFaults.h"
#include "tests/support/HeadlessTest.h"

namespace {

namespace fs = std::filesystem;
using support::ErrorOf;
using support::ItemsText;

const std::string kDocuments = "C:\\Program Files\\Tovalin\\Corvane\\Documents\\";

class SettingsTest : public support::HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        fs::create_directories(Native(kDocuments));
        gDocumentsFolder = kDocuments;
        gConfigFilePath = "C:\\Program Files\\Tovalin\\Corvane\\config";
        gFieldsFilePath = "C:\\Program Files\\Tovalin\\Corvane\\fields";
    }
    // The temporary files left in the product folder.
    static int TemporaryFiles() {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(Native("C:\\Program Files\\Tovalin\\Corvane")))
            count += entry.path().extension() == ".tmp";
        return count;
    }
};

TEST_F(SettingsTest, RepairKeepsTheRightCountAndRewritesAnyOtherWithDefaults) {
    const std::string configured = ItemsText({"Parcels", "MAP_LOT", "Parcels", "300", "Labels.doc", "1", kDocuments});
    const std::string fields = ItemsText(DefaultFieldsItems());
    // Whether "fields" (or "config"), the text before (nullopt: no file), whether rewritten.
    const std::vector<std::tuple<bool, std::optional<std::string>, bool>> cases = {
        {false, configured, false},
        {false, "\"a\"\r\n\r\n\r\n\"100\"\r\n\r\n\"0\"\r\n\"C:\\\"\r\n", false},  // empty lines
        {false, ItemsText({"a, b", "x", "y", "1", "d", "0", "f"}), false},        // a comma inside quotes
        {false, configured.substr(0, configured.size() - 2), false},              // no CR LF at the end
        {false, std::nullopt, true},
        {false, "", true},
        {false, ItemsText({"a", "b", "c", "d", "e", "f"}) + "g,h\r\n", true},  // an unquoted comma splits
        {true, fields, false},
        {true, fields + "\"x\"\r\n", true},
        {false, configured + "\"x\"\r\n", true},  // eight real items
        // Empty lines at the end are items: five values and two empty lines make seven.
        {false, ItemsText({"a", "b", "c", "d", "e"}) + "\r\n\r\n", false},
        {false, ItemsText({"a", "b", "c", "d", "e"}) + "\r\n", true},
        {true, ItemsText(std::vector<std::string>(14, "x")) + "\r\n \r\n", false},
        // What editors add: a byte-order mark; empty lines after the last item, dropped
        // only when that leaves exactly the items wanted.
        {false, "\xEF\xBB\xBF" + configured, false},
        {false, configured + "\r\n", false},
        {false, ItemsText({"a", "b", "c", "d", "e"}) + "\r\n\r\n\r\n", false},
        {true, "\xEF\xBB\xBF" + fields + "\r\n \r\n\r\n", false},
        {true, fields + "\"x\"\r\n\r\n", true},  // a value after the sixteen
        {false, "\xEF\xBB\xBF\r\n", true},
    };
    gDocumentsFolder = "D:\\Elsewhere\\";  // item seven is the folder held at the time of the repair
    const std::string defaults = ItemsText({"NONE", "NONE", "NONE", "100", "NONE", "0", gDocumentsFolder});
    for (const auto& [isFields, before, rewritten] : cases) {
        const std::string& path = isFields ? gFieldsFilePath : gConfigFilePath;
        fs::remove(Native(path));
        if (before) WriteBytes(Native(path), *before);
        EXPECT_EQ(isFields ? RepairFieldsFile() : RepairConfigFile(), rewritten) << before.value_or("(none)");
        EXPECT_EQ(ReadBytes(Native(path)), rewritten ? (isFields ? fields : defaults) : *before);
        EXPECT_EQ(TemporaryFiles(), 0);
    }
    EXPECT_TRUE(Messages().Shown().empty());
}

// A name with a double quote or a line break would split into more items, and the next
// check would reset all seven settings; it is stored transformed instead.
TEST_F(SettingsTest, WriteRoundTripsThroughTheChannels) {
    gBufferLayerName = "Lots \"A\", east";
    gSearchFieldName = "OWNER\r\nNAME";
    gDocumentName = "";
    WriteSettingsFile(gConfigFilePath, ConfigItemsFromSharedState());
    EXPECT_FALSE(RepairConfigFile());
    std::vector<std::string> expected = ConfigItemsFromSharedState();
    expected[0] = "Lots 'A', east";
    expected[1] = "OWNER  NAME";
    auto& channels = host::FileChannels::Instance();
    channels.OpenForInput(1, gConfigFilePath);
    std::vector<std::string> items;
    while (!channels.Eof(1)) items.push_back(channels.ReadItem(1));
    channels.Close(1);
    EXPECT_EQ(items, expected);
}

TEST_F(SettingsTest, FailedWritesLeaveTheOldFileWholeAndSayWhy) {
    const std::string old = ItemsText({"a", "b", "c", "d", "e", "f", "g", "h"});
    WriteBytes(Native(gConfigFilePath), old);

    // The write fails part-way, as on a full disk: the old file stays, the error names it.
    {
        const support::WriteLimit limit(20);
        try {
            RepairConfigFile();
            ADD_FAILURE() << "no error";
        } catch (const host::RuntimeError& e) {
            EXPECT_EQ(e.Description(),
                      "Path/File access error: \"" + gConfigFilePath + "\" could not be written (File too large)");
        }
    }
    EXPECT_EQ(ReadBytes(Native(gConfigFilePath)), old);
    EXPECT_EQ(TemporaryFiles(), 0);

    // A read-only file is neither repaired nor replaced.
    host::FileSystem::SetReadOnly(gConfigFilePath, true);
    EXPECT_EQ(ErrorOf([] { RepairConfigFile(); }), 75);
    EXPECT_EQ(ErrorOf([] { WriteSettingsFile(gConfigFilePath, DefaultConfigItems()); }), 70);
    EXPECT_EQ(ReadBytes(Native(gConfigFilePath)), old);
    host::FileSystem::SetReadOnly(gConfigFilePath, false);

    // An empty or unreachable path raises and makes no folder.
    gConfigFilePath = "";
    EXPECT_EQ(ErrorOf([] { RepairConfigFile(); }), 52);
    gConfigFilePath = "C:\\No Such Folder\\config";
    EXPECT_EQ(ErrorOf([] { RepairConfigFile(); }), 76);
    EXPECT_FALSE(fs::exists(Native("C:\\No Such Folder")));
}

// Two programs on one product folder, each saving its own settings and running the
// check as a click does, in a loop: the file always holds one whole save of seven items.
TEST_F(SettingsTest, TwoProcessesNeverMergeTearOrResetEachOthersSaves) {
    constexpr int kSaves = 150;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    WriteItems(gConfigFilePath, std::vector<std::string>(kConfigItemCount, "start"));

    // Writers still running when the test fails are stopped, not left behind.
    struct Writers : std::vector<pid_t> {
        ~Writers() {
            for (pid_t pid : *this) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
            }
        }
    } writers;
    for (int writer = 1; writer <= 2; ++writer) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            // The writer: a save of seven items that tell who saved and when, then the check.
            int status = 0;
            try {
                for (int save = 0; save < kSaves && status == 0 && std::chrono::steady_clock::now() < limit; ++save) {
                    const std::string tag = "w" + std::to_string(writer) + "-" + std::to_string(save);
                    WriteSettingsFile(gConfigFilePath, std::vector<std::string>(kConfigItemCount, tag));
                    if (RepairConfigFile()) status = 3;  // reset to the defaults
                }
            } catch (...) {
                status = 2;
            }
            _exit(status);
        }
        writers.push_back(pid);
    }

    // Meanwhile: every look at the file finds seven items of one save.
    std::set<std::string> seen;
    std::vector<int> statuses;
    while (!writers.empty() && std::chrono::steady_clock::now() < limit + std::chrono::seconds(5)) {
        const std::string text = ReadBytes(Native(gConfigFilePath));
        host::ItemReader reader(text);
        std::vector<std::string> items;
        while (!reader.AtEnd()) items.push_back(reader.Next());
        ASSERT_EQ(items.size(), kConfigItemCount) << text;
        ASSERT_EQ(static_cast<std::size_t>(std::count(items.begin(), items.end(), items[0])), kConfigItemCount) << text;
        seen.insert(items[0]);
        std::erase_if(writers, [&](pid_t pid) {
            int status = -1;
            return waitpid(pid, &status, WNOHANG) == pid && (statuses.push_back(status), true);
        });
    }
    EXPECT_EQ(statuses, std::vector<int>(2, 0)) << "both writers end, and well";
    EXPECT_GT(seen.size(), 2u) << "the saves were seen as they went";
    EXPECT_EQ(TemporaryFiles(), 0);
}

// The settings lock. A save or a check that another holder of "config.lock" keeps out (a
// repair in another program) waits for it and then runs whole; in a folder that takes no
// new file the settings are still saved and repaired, in place.
TEST_F(SettingsTest, SavesAndRepairsWaitWhileAnotherHolderKeepsTheLock) {
    const std::string old = ItemsText({"a", "b", "c", "d", "e", "f", "g", "h"});
    const std::vector<std::string> saved(kConfigItemCount, "saved");
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { WriteSettingsFile(gConfigFilePath, saved); }, ItemsText(saved)},
        {[] { RepairConfigFile(); }, ItemsText(DefaultConfigItems())},
    };
    for (const auto& [run, after] : cases) {
        WriteBytes(Native(gConfigFilePath), old);
        std::optional<host::FileLock> other;
        other.emplace(gConfigFilePath + ".lock");
        auto running = std::async(std::launch::async, run);
        EXPECT_EQ(running.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout);
        EXPECT_EQ(ReadBytes(Native(gConfigFilePath)), old) << "nothing written while the lock is held";
        other.reset();
        running.get();
        EXPECT_EQ(ReadBytes(Native(gConfigFilePath)), after);
    }
}

TEST_F(SettingsTest, AFolderThatTakesNoNewFileStillHasItsSettingsSavedAndRepaired) {
    WriteBytes(Native(gConfigFilePath), ItemsText({"a", "b"}));
    std::string whyNot;
    const auto closed = support::ClosedFolder::Close(Native("C:\\Program Files\\Tovalin\\Corvane"), whyNot);
    if (!closed) GTEST_SKIP() << whyNot;
    EXPECT_TRUE(RepairConfigFile());
    EXPECT_EQ(FileText(gConfigFilePath), ItemsText(DefaultConfigItems()));
    gBufferLayerName = "Parcels";
    WriteSettingsFile(gConfigFilePath, ConfigItemsFromSharedState());
    EXPECT_EQ(FileText(gConfigFilePath), ItemsText(ConfigItemsFromSharedState()));
    EXPECT_EQ(TemporaryFiles(), 0);
}

}  // namespace
