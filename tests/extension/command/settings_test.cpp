#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "extension/command/Globals.h"
#include "extension/command/Settings.h"
#include "host/platform/FileChannels.h"
#include "host/platform/FileSystem.h"
#include "tests/support/ErrorOf.h"
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
    static std::string DefaultConfigText() {
        return ItemsText({"NONE", "NONE", "NONE", "100", "NONE", "0", gDocumentsFolder});
    }
};

TEST_F(SettingsTest, RepairKeepsTheRightCountAndRewritesAnyOtherWithDefaults) {
    const std::string configured = ItemsText({"Parcels", "MAP_LOT", "Parcels", "300", "Labels.doc", "1", kDocuments});
    const std::string fields = ItemsText(DefaultFieldsItems());
    // Whether "fields" (or "config"), the text before (nullopt: no file), whether rewritten.
    const std::vector<std::tuple<bool, std::optional<std::string>, bool>> cases = {
        {false, configured, false},
        {false, "\"a\"\r\n\r\n\r\n\"100\"\r\n\r\n\"0\"\r\n\"C:\\\"\r\n", false},  // empty lines
        {false, ItemsText({"a, b", "x", "y", "1", "d", "0", "f"}), false},      // a comma inside quotes
        {false, configured.substr(0, configured.size() - 2), false},           // no CR LF at the end
        {false, std::nullopt, true},
        {false, "", true},
        {false, ItemsText({"a", "b", "c", "d", "e", "f"}) + "g,h\r\n", true},  // an unquoted comma splits
        {true, fields, false},
        {true, fields + "\"x\"\r\n", true},
    };
    gDocumentsFolder = "D:\\Elsewhere\\";  // item seven is the folder held at the time of the repair
    for (const auto& [isFields, before, rewritten] : cases) {
        const std::string& path = isFields ? gFieldsFilePath : gConfigFilePath;
        fs::remove(Native(path));
        if (before) WriteBytes(Native(path), *before);
        EXPECT_EQ(isFields ? RepairFieldsFile() : RepairConfigFile(), rewritten) << before.value_or("(none)");
        EXPECT_EQ(ReadBytes(Native(path)), rewritten ? (isFields ? fields : DefaultConfigText()) : *before);
        EXPECT_FALSE(fs::exists(Native(path + ".tmp")));
    }
    EXPECT_TRUE(Messages().Shown().empty());
}

TEST_F(SettingsTest, WriteRoundTripsThroughTheChannels) {
    gBufferLayerName = "Parcels, 2024";
    gDocumentName = "";
    WriteSettingsFile(gConfigFilePath, ConfigItemsFromSharedState());
    auto& channels = host::FileChannels::Instance();
    channels.OpenForInput(1, gConfigFilePath);
    std::vector<std::string> items;
    while (!channels.Eof(1)) items.push_back(channels.ReadItem(1));
    channels.Close(1);
    EXPECT_EQ(items, ConfigItemsFromSharedState());

    // A name with a double quote or a line break would split into more items, and the next
    // check would reset all seven settings; it is stored transformed instead.
    gBufferLayerName = "Lots \"A\", east";
    gSearchFieldName = "OWNER\r\nNAME";
    WriteSettingsFile(gConfigFilePath, ConfigItemsFromSharedState());
    EXPECT_FALSE(RepairConfigFile());
    channels.OpenForInput(1, gConfigFilePath);
    EXPECT_EQ(channels.ReadItem(1), "Lots 'A', east");
    EXPECT_EQ(channels.ReadItem(1), "OWNER  NAME");
    channels.Close(1);
}

TEST_F(SettingsTest, FailedWritesLeaveTheOldFileWhole) {
    const std::string old = ItemsText({"a", "b", "c", "d", "e", "f", "g", "h"});
    WriteBytes(Native(gConfigFilePath), old);

    // The temporary file cannot be made (a folder holds its name): nothing changes.
    fs::create_directory(Native(gConfigFilePath + ".tmp"));
    EXPECT_EQ(ErrorOf([] { RepairConfigFile(); }), 75);
    EXPECT_EQ(ReadBytes(Native(gConfigFilePath)), old);
    fs::remove(Native(gConfigFilePath + ".tmp"));

    // A read-only file is neither repaired nor replaced.
    host::FileSystem::SetReadOnly(gConfigFilePath, true);
    EXPECT_EQ(ErrorOf([] { RepairConfigFile(); }), 75);
    EXPECT_EQ(ErrorOf([] { WriteSettingsFile(gConfigFilePath, DefaultConfigItems()); }), 70);
    EXPECT_EQ(ReadBytes(Native(gConfigFilePath)), old);
    host::FileSystem::SetReadOnly(gConfigFilePath, false);

    // A stale temporary file from an earlier failure is replaced, not appended to.
    WriteBytes(Native(gConfigFilePath + ".tmp"), "\"stale\"\r\n");
    EXPECT_TRUE(RepairConfigFile());
    EXPECT_EQ(ReadBytes(Native(gConfigFilePath)), DefaultConfigText());
}

TEST_F(SettingsTest, EmptyOrUnreachablePathsRaise) {
    gConfigFilePath = "";
    EXPECT_EQ(ErrorOf([] { RepairConfigFile(); }), 52);
    gConfigFilePath = "C:\\No Such Folder\\config";
    EXPECT_EQ(ErrorOf([] { RepairConfigFile(); }), 76);
    EXPECT_FALSE(fs::exists(Native("C:\\No Such Folder")));
}

}  // namespace
