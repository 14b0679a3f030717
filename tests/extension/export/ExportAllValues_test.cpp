// The export engine: values that come back whole, giving up, the field configuration and
// leaving out the subject.
#include "extension/export/ExportAllValues.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "extension/command/Globals.h"
#include "host/carto/EnumFeature.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/Map.h"
#include "host/carto/MxDocument.h"
#include "host/data/Feature.h"
#include "host/data/FeatureClass.h"
#include "host/data/SelectionSet.h"
#include "host/framework/Application.h"
#include "host/framework/StatusBar.h"
#include "host/framework/StepProgressor.h"
#include "host/platform/FileChannels.h"
#include "host/platform/FileSystem.h"
#include "tests/extension/command/CommandFixture.h"
#include "tests/support/FileFaults.h"

namespace {

using host::Value;
using support::Lines;

constexpr const char* kOut = "C:\\out.txt";

// Reads a table as a mail-merge reader or a spreadsheet does: a qualified value runs to the
// lone double quote that closes it, two inside stand for one, and delimiters and line
// breaks inside belong to the value. Gives it back with values ended by "|", rows by "/".
std::string ReadTable(const std::string& text, char delim) {
    std::string table;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            table += text[++i];
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == delim) {
            table += '|';
        } else if (!quoted && text.compare(i, 2, "\r\n") == 0) {
            table += "|/", ++i;
        } else {
            table += c;
        }
    }
    return table;
}

class ExportAllValuesTest : public support::CommandTest {
protected:
    void SetUp() override {
        CommandTest::SetUp();
        CreateCommand();
        gSelectionLayerName = "Parcels";
        gSearchFieldName = "PARCEL_ID";
    }
    static bool Export(bool exclude = false, const std::string& subject = "", bool useFields = false,
                       const char* delim = "\t") {
        return ExportAllValues(kOut, delim, "\"", exclude, subject, useFields, gFieldsFilePath);
    }
    static std::string Written() { return ReadTable(FileText(kOut), '\t'); }
    host::StepProgressor& Bar() { return *app_->StatusBar()->ProgressBar(); }
    // How many names a folder of this machine holds, hidden ones included.
    static long Entries(const std::filesystem::path& folder) {
        return std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator());
    }
};

TEST_F(ExportAllValuesTest, EveryValueComesBackWholeToAReaderOfTheTable) {
    Select(AddLayer("Parcels", {"PARCEL_ID", "OWNER \"A\""},
                    {{"1-1", "THE \"HIGH\" TRUST"},
                     {"1-2", "SMITH, JOHN"},
                     {"1-3", "\tTABS STAY\t"},
                     {"1-4", "  BLANKS GO  "},
                     {"1-5", "TWO\r\nLINES"},
                     {"1-6", Value()},
                     {2.5, host::Date{2001, 2, 3}},
                     {"NOT", "SELECTED"}}),
           {1, 2, 3, 4, 5, 6, 7});
    for (const char delim : {'\t', ','}) {
        const std::string d(1, delim);
        ASSERT_FALSE(Export(false, "", false, d.c_str()));
        EXPECT_EQ(ReadTable(FileText(kOut), delim),
                  "OBJECTID|PARCEL_ID|OWNER \"A\"|/1|1-1|THE \"HIGH\" TRUST|/2|1-2|SMITH, JOHN|/3|1-3|\tTABS STAY\t|/"
                  "4|1-4|BLANKS GO|/5|1-5|TWO\r\nLINES|/6|1-6||/7|2.5|2/3/2001|/")
            << "delimiter " << int{delim};
    }
}

TEST_F(ExportAllValuesTest, GivesUpWithItsMessageAndLeavesTheOldTable) {
    auto parcels = AddLayer("Parcels", {"PARCEL_ID"}, {{"1-1"}, {"1-2"}});
    auto noIds = AddLayer("NoIds", {"PARCEL_ID"}, {{"9-9"}}, false);
    host::FileSystem::DeleteFile(gFieldsFilePath);
    const std::string old = "old table\r\n";
    // Leaving out the subject with no such search field in the layer (none chosen, or one of
    // another layer) gives up before anything is written.
    const auto noField = [](const std::string& why) {
        return "Can't exclude buffered features: " + why +
               ". Choose a search field or clear \"Exclude buffered features from export\".";
    };
    struct Case {
        std::string layer;
        std::vector<long> selected;
        std::string message;
        bool useFields;
        std::string excludingBy;  // the search field when leaving out the subject
    };
    const Case cases[] = {
        {"Lots", {1}, "Can't find layer: Lots", false, ""},
        {"Parcels", {}, "No features selected", false, ""},
        {"Parcels", {1, 2}, "Can't find field configuration file: \r\n" + gFieldsFilePath, true, ""},
        {"NoIds", {0}, "Attribute Table must have an ObjectID field.  Please create one.", false, ""},
        {"Parcels", {1, 2}, noField("no search field is chosen"), false, "NONE"},
        {"Parcels", {1, 2}, noField("layer Parcels has no field OWNER"), false, "OWNER"},
    };
    for (const Case& c : cases) {
        WriteBytes(Native(kOut), old);
        gSelectionLayerName = c.layer;
        gSearchFieldName = c.excludingBy;
        Select(c.layer == "NoIds" ? noIds : parcels, c.selected);
        EXPECT_TRUE(Export(!c.excludingBy.empty(), "", c.useFields));
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{c.message});
        EXPECT_EQ(FileText(kOut), c.layer == "NoIds" ? Lines({"\"PARCEL_ID\""}) : old) << c.message;
        EXPECT_FALSE(Bar().Visible() || host::FileChannels::Instance().IsOpen(1));
    }
    // A table that cannot be written: the report, and the export gave up.
    gSelectionLayerName = "Parcels";
    Select(parcels, {1});
    EXPECT_TRUE(ExportAllValues("C:\\no\\folder\\out.txt", "\t", "\"", false, "", false, ""));
    EXPECT_EQ(ReportedErrors(TakeMessages()), std::vector<long>{76});
}

TEST_F(ExportAllValuesTest, TheFieldConfigurationNamesColumnsBySlotKeysAndAddsEmptyNoneColumns) {
    Select(AddLayer("Parcels", {"PARCEL_ID", "OWNER", "CITY"}, {{"1-1", "SMITH", "MILLBROOK"}}), {1});
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        // One field for two slots: the earlier key, the later names nothing.
        {{"OWNER", "XNAMEAX", "OWNER", "XNAMEBX"}, "OBJECTID|PARCEL_ID|XNAMEAX|CITY|/1|1-1|SMITH|MILLBROOK|/"},
        // NONE in any case, taken out wherever it stands.
        {{"x", "NoneXZIPX", "y", "nOnEXSTATEXNONE"},
         "OBJECTID|PARCEL_ID|OWNER|CITY|XZIPX|XSTATEX|/1|1-1|SMITH|MILLBROOK|||/"},
    };
    for (const auto& [items, expected] : cases) {
        WriteItems(gFieldsFilePath, items);
        EXPECT_FALSE(Export(false, "", true));
        EXPECT_EQ(Written(), expected);
    }
}

TEST_F(ExportAllValuesTest, LeavesOutTheRowsWhoseSearchFieldEqualsTheSubject) {
    Select(AddLayer("Parcels", {"PARCEL_ID", "AREA"},
                    {{"A-1", 2.5}, {"a-1", 10.0}, {"", Value()}, {Value(), 3.0}, {"B-2", 2.5}}),
           {1, 2, 3, 4, 5});
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"PARCEL_ID", "a-1", "OBJECTID|PARCEL_ID|AREA|/3|||/4||3|/5|B-2|2.5|/"},  // ignoring case
        {"AREA", "2.5", "OBJECTID|PARCEL_ID|AREA|/2|a-1|10|/3|||/4||3|/"},        // numbers through their text
    };
    for (const auto& [field, subject, ids] : cases) {
        gSearchFieldName = field;
        EXPECT_FALSE(Export(true, subject));
        EXPECT_EQ(Written(), ids) << field << " " << subject;
    }
    // Without leaving out the subject the search field is not needed.
    gSearchFieldName = "NONE";
    EXPECT_FALSE(Export(false, ""));
    EXPECT_EQ(Written(), "OBJECTID|PARCEL_ID|AREA|/1|A-1|2.5|/2|a-1|10|/3|||/4||3|/5|B-2|2.5|/");
}

TEST_F(ExportAllValuesTest, ObjectIdsBeyondThirtyTwoBitsAreExportedAndLookedUp) {
    // A GeoJSON file numbers its features itself; the host keeps those ids as loaded.
    const std::int64_t ids[] = {7, 2147483647, 2147483648, 5000000001};
    std::string features;
    for (const std::int64_t id : ids) {
        const std::string text = std::to_string(id), at = std::to_string(id % 10);
        features += std::string(features.empty() ? "" : ",") + R"({"type":"Feature","id":)" + text +
                    R"(,"properties":{"PARCEL_ID":"P)" + text + R"("},"geometry":{"type":"Point","coordinates":[)" +
                    at + "," + at + "]}}";
    }
    WriteBytes(TempRoot() / "Parcels.geojson", R"({"type":"FeatureCollection","features":[)" + features + "]}");
    app_->OpenDocument(TempRoot() / "Parcels.geojson");
    gMxDocument = app_->Document();
    host::Ref<host::Map> map = gMxDocument->FocusMap();
    ASSERT_EQ(map->FeatureLayers().size(), 1u);
    host::Ref<host::FeatureLayer> layer = map->FeatureLayers().front();
    host::Ref<host::FeatureClass> loaded = layer->FeatureClass();
    ASSERT_EQ(loaded->Size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(loaded->OIDAt(i), ids[i]);

    // Selected, enumerated as the buffer routine does, and exported whole.
    layer->SelectFeatures(nullptr, host::SelectionResult::New, false);
    std::vector<std::int64_t> enumerated;
    host::Ref<host::EnumFeature> selected = map->FeatureSelection();
    for (host::Ref<host::Feature> feature = selected->Next(); feature; feature = selected->Next())
        enumerated.push_back(feature->OID());
    EXPECT_EQ(enumerated, std::vector<std::int64_t>(std::begin(ids), std::end(ids)));
    EXPECT_EQ(loaded->GetFeature(5000000001)->Value(loaded->FindField("PARCEL_ID")).Text(), "P5000000001");
    EXPECT_FALSE(Export(true, "P2147483648"));
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(Written(), "OBJECTID|PARCEL_ID|/7|P7|/2147483647|P2147483647|/5000000001|P5000000001|/");
}

// A table that cannot be written whole (here a write failing part-way, as on a full disk)
// leaves the former table, or none, and the report names the file and the cause.
TEST_F(ExportAllValuesTest, AFailedWriteLeavesTheFormerTableAndSaysWhichFileAndWhy) {
    Select(AddLayer("Parcels", {"PARCEL_ID"}, {{"1-1"}, {"1-2"}}), {1, 2});
    for (const std::string& former : {std::string("old table\r\n"), std::string()}) {
        if (former.empty())
            host::FileSystem::DeleteFile(kOut);
        else
            WriteBytes(Native(kOut), former);
        {
            const support::WriteLimit limit(16);
            EXPECT_TRUE(Export());
        }
        const std::vector<std::string> shown = TakeMessages();
        EXPECT_EQ(ReportedErrors(shown), std::vector<long>{75});
        EXPECT_NE(shown.at(0).find("ERROR DESCRIPTION: Path/File access error: \"C:\\out.txt\" could not be written "
                                   "(File too large)"),
                  std::string::npos);
        EXPECT_EQ(FileText(kOut), former.empty() ? "(missing)" : former);
        EXPECT_EQ(Entries(Native("C:\\")), former.empty() ? 1 : 2) << "no temporary file left";
        EXPECT_FALSE(Bar().Visible() || host::FileChannels::Instance().IsOpen(1));
    }
}

TEST_F(ExportAllValuesTest, OnAFullDiskTheFormerTableStays) {
    const std::filesystem::path folder = MapDrive('E');
    std::string whyNot;
    const auto disk = support::FullFileSystem::Mount(folder, whyNot);
    if (!disk) GTEST_SKIP() << whyNot;
    WriteBytes(folder / "table.txt", "old table\r\n");
    disk->Fill();
    Select(AddLayer("Parcels", {"PARCEL_ID"}, {{"1-1"}}), {1});
    EXPECT_TRUE(ExportAllValues("E:\\table.txt", "\t", "\"", false, "", false, ""));
    const std::vector<std::string> shown = TakeMessages();
    EXPECT_EQ(ReportedErrors(shown), std::vector<long>{61});
    EXPECT_NE(shown.at(0).find("Disk full: \"E:\\table.txt\" could not be written (No space left on device)"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(folder / "table.txt"), "old table\r\n");
    EXPECT_EQ(Entries(folder), 2) << "the filler and the table, no temporary file";
}

}  // namespace
