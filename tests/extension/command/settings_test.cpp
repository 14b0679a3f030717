#include <gtest/gtest.h>

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
    static std::string DefaultFieldsFileText() {
        return ItemsText({"XPARCELIDX", "NONE", "XNAMEAX", "NONE", "XNAMEBX", "NONE", "XADDRESSAX", "NONE",
                          "XADDRESSBX", "NONE", "XCITYX", "NONE", "XSTATEX", "NONE", "XZIPX", "NONE"});
    }
};

TEST_F(SettingsTest, RepairKeepsTheRightCountAndRewritesAnyOtherWithDefaults) {
    const std::string configured = ItemsText({"Parcels", "MAP_LOT", "Parcels", "300", "Labels.doc", "1", kDocuments});
    const std::string allNone =
        ItemsText({"NONE", "NONEXPARCELIDX", "NONE", "NONEXNAMEAX", "NONE", "NONEXNAMEBX", "NONE", "NONEXADDRESSAX",
                   "NONE", "NONEXADDRESSBX", "NONE", "NONEXCITYX", "NONE", "NONEXSTATEX", "NONE", "NONEXZIPX"});
    struct Case {
        const char* what;
        bool fields;
        std::optional<std::string> before;  // nullopt: no file
        bool rewritten;
    } cases[] = {
        {"config right", false, configured, false},
        {"config with empty lines", false, "\"a\"\r\n\r\n\r\n\"100\"\r\n\r\n\"0\"\r\n\"C:\\\"\r\n", false},
        {"config with a comma inside quotes", false, ItemsText({"a, b", "x", "y", "1", "d", "0", "f"}), false},
        {"config without CR LF at the end", false, configured.substr(0, configured.size() - 2), false},
        {"config missing", false, std::nullopt, true},
        {"config empty", false, "", true},
        {"config with a stray eighth line", false, configured + "\"stray\"\r\n", true},
        {"config one short", false, ItemsText({"a", "b", "c", "d", "e", "f"}), true},
        {"config unquoted comma splits", false, ItemsText({"a", "b", "c", "d", "e", "f"}) + "g,h\r\n", true},
        {"fields empty", true, "", true},
        {"fields all NONE", true, allNone, false},
        {"fields default", true, DefaultFieldsFileText(), false},
        {"fields seventeen", true, DefaultFieldsFileText() + "\"x\"\r\n", true},
    };
    gDocumentsFolder = "D:\\Elsewhere\\";  // item seven is the folder held at the time of the repair
    for (const auto& c : cases) {
        const std::string& path = c.fields ? gFieldsFilePath : gConfigFilePath;
        fs::remove(Native(path));
        if (c.before) WriteBytes(Native(path), *c.before);
        bool rewritten = c.fields ? RepairFieldsFile() : RepairConfigFile();
        EXPECT_EQ(rewritten, c.rewritten) << c.what;
        std::string expected = c.rewritten ? (c.fields ? DefaultFieldsFileText() : DefaultConfigText()) : *c.before;
        EXPECT_EQ(ReadBytes(Native(path)), expected) << c.what;
        EXPECT_FALSE(host::FileChannels::Instance().IsOpen(1)) << c.what;
        EXPECT_FALSE(fs::exists(Native(path + ".tmp"))) << c.what;
    }
    EXPECT_TRUE(Messages().Shown().empty());
}

TEST_F(SettingsTest, WriteRoundTripsThroughTheChannels) {
    gBufferLayerName = "Parcels, 2024";
    gSearchFieldName = "OWNER";
    gSelectionLayerName = "Parcels";
    gBufferDistance = "0.5";
    gDocumentName = "";
    gExcludeBuffered = "1";
    gDocumentsFolder = "C:\\Docs\\";
    WriteSettingsFile(gConfigFilePath, ConfigItemsFromSharedState());
    EXPECT_EQ(CountSettingsItems(gConfigFilePath), kConfigItemCount);

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
    EXPECT_EQ(CountSettingsItems(gConfigFilePath), kConfigItemCount);
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
    EXPECT_FALSE(host::FileChannels::Instance().IsOpen(1));
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
