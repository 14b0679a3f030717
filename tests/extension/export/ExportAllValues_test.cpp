// The export engine: the table format, giving up, the field configuration, leaving out the
// subject, the progress bar and failures while writing.
#include "extension/export/ExportAllValues.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extension/command/Globals.h"
#include "host/data/Field.h"
#include "host/platform/FileChannels.h"
#include "host/platform/FileSystem.h"
#include "tests/extension/export/ExportFixture.h"

namespace {

using export_test::Column;
using export_test::Lines;
using host::FieldType::Double;
using host::FieldType::Integer;
using host::FieldType::String;
using host::Value;

constexpr const char* kOut = "C:\\out.txt";
constexpr const char* kTab = "\t";
constexpr const char* kQuote = "\"";

// Splits a table as a mail-merge reader or a spreadsheet does: a qualified value runs to
// the lone qualifier that closes it, two qualifiers inside stand for one, and delimiters
// and line breaks inside belong to the value.
std::vector<std::vector<std::string>> ReadTable(const std::string& text, char delim) {
    std::vector<std::vector<std::string>> rows(1);
    std::string value;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"')
                value += c;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                value += text[++i];
            else
                quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == delim) {
            rows.back().push_back(value);
            value.clear();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            rows.back().push_back(value);
            value.clear();
            rows.emplace_back();
            ++i;
        } else {
            value += c;
        }
    }
    rows.pop_back();  // after the last line end
    return rows;
}

class ExportAllValuesTest : public export_test::ExportTest {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        gSelectionLayerName = "Parcels";
        gSearchFieldName = "PARCEL_ID";
    }

    bool Export(bool excludeSubject = false, const std::string& subject = "", bool useFieldConfig = false,
                const char* delim = kTab) {
        return ExportAllValues(kOut, delim, kQuote, excludeSubject, subject, useFieldConfig, gFieldsFilePath);
    }
};

TEST_F(ExportAllValuesTest, WritesAHeaderAndTheSelectedRowsInTableOrderLeavingOutTheGeometry) {
    auto layer = AddLayer("Parcels",
                          {{"PARCEL_ID", String}, {"OWNER", String}, {"AREA", Double}, {"BUILT", Integer},
                           {"SOLD", host::FieldType::Date}},
                          {{"1-1", "  SMITH, JOHN  ", 2.5, 1950, host::Date{2001, 2, 3}},
                           {"1-2", Value(), 1024.0, Value(), Value()},
                           {"1-3", "NOT SELECTED", 0.1, 1, Value()}});
    Select(layer, {2, 1});
    EXPECT_FALSE(Export(false, "", false, ","));
    EXPECT_EQ(FileText(kOut), Lines({R"("OBJECTID","PARCEL_ID","OWNER","AREA","BUILT","SOLD")",
                                     R"("1","1-1","SMITH, JOHN","2.5","1950","2/3/2001")",
                                     R"("2","1-2","","1024","","")"}));
    EXPECT_TRUE(Messages().Texts().empty());
    EXPECT_FALSE(host::FileChannels::Instance().IsOpen(1));

    // The geometry field gives no column wherever it stands; one column is closed too.
    struct Case {
        long shapeIndex;
        std::vector<Column> columns;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {0, {{"NAME", String}}, Lines({R"("OBJECTID"	"NAME")", R"("1"	"A")"})},
        {2, {{"NAME", String}}, Lines({R"("OBJECTID"	"NAME")", R"("1"	"A")"})},
    };
    for (const Case& c : cases) {
        gSelectionLayerName = "Shape" + std::to_string(c.shapeIndex);
        Select(AddLayer(gSelectionLayerName, c.columns, {{"A"}}, c.shapeIndex), {1});
        EXPECT_FALSE(Export());
        EXPECT_EQ(FileText(kOut), c.expected) << "Shape at " << c.shapeIndex;
    }
}

TEST_F(ExportAllValuesTest, ValuesAndNamesComeBackWholeToAReaderOfTheTable) {
    const std::vector<std::string> owners = {
        "THE \"HIGH\" CONDOMINIUM TRUST",  // qualifiers inside
        "\"",                               // a lone qualifier
        "SMITH, JOHN",                      // a comma
        "\tTABBED\t",                       // tabs at the ends stay
        "  BLANKS AT THE ENDS  ",           // blanks at the ends go
        "TWO\r\nLINES",                     // a line break stays inside its qualifiers
        "GONZ\xC3\x81LEZ",                  // UTF-8 as it is
        "",
    };
    std::vector<std::vector<Value>> rows;
    for (const std::string& owner : owners) rows.push_back({owner});
    auto layer = AddLayer("Parcels", {{"OWNER \"A\"", String}}, rows);
    std::vector<long> all;
    for (std::size_t i = 1; i <= owners.size(); ++i) all.push_back(static_cast<long>(i));
    Select(layer, all);

    for (const char* delim : {"\t", ","}) {
        SCOPED_TRACE(delim[0] == '\t' ? "tab" : "comma");
        ASSERT_FALSE(Export(false, "", false, delim));
        const std::string text = FileText(kOut);
        EXPECT_NE(text.find("\"THE \"\"HIGH\"\" CONDOMINIUM TRUST\""), std::string::npos);
        const auto table = ReadTable(text, delim[0]);
        ASSERT_EQ(table.size(), owners.size() + 1);
        EXPECT_EQ(table[0], (std::vector<std::string>{"OBJECTID", "OWNER \"A\""}));
        for (std::size_t i = 0; i < owners.size(); ++i) {
            std::string expected = owners[i];
            expected = expected.substr(expected.find_first_not_of(' ') == std::string::npos
                                           ? expected.size()
                                           : expected.find_first_not_of(' '));
            expected.erase(expected.find_last_not_of(' ') + 1);
            EXPECT_EQ(table[i + 1], (std::vector<std::string>{std::to_string(i + 1), expected})) << i;
        }
    }
}

TEST_F(ExportAllValuesTest, GivesUpWithItsMessageAndLeavesTheTableAsItWas) {
    auto layer = AddLayer("Parcels", {{"PARCEL_ID", String}}, {{"1-1"}, {"1-2"}});
    auto noIds = AddLayer("NoIds", {{"PARCEL_ID", String}}, {{"9-9"}}, 1, false);
    struct Case {
        const char* what;
        std::string layerName;
        std::vector<long> selected;
        bool useFieldConfig;
        std::string message;
        std::string table;                      // what the table file holds afterwards
        std::vector<std::string> progress;      // the bar's calls
    };
    const std::string old = "old table\r\n";
    const std::vector<std::string> shownAndHidden = {
        "MinRange 1", "Position 1", "Message \"Exporting...\"", "Show", "MaxRange 2", "StepValue 0", "Hide"};
    const std::vector<Case> cases = {
        {"no such layer", "Lots", {1}, false, "Can't find layer: Lots", old, {}},
        {"nothing selected", "Parcels", {}, false, "No features selected", old, {}},
        {"no field configuration file", "Parcels", {1, 2}, true,
         "Can't find field configuration file: \r\n" + gFieldsFilePath, old, shownAndHidden},
        {"a first feature without object id", "NoIds", {0}, false,
         "Attribute Table must have an ObjectID field.  Please create one.", Lines({R"("PARCEL_ID")"}),
         {"MinRange 1", "Position 1", "Message \"Exporting...\"", "Show", "MaxRange 1", "StepValue 0", "Hide"}},
    };
    host::FileSystem::DeleteFile(gFieldsFilePath);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFileText(kOut, old);
        gSelectionLayerName = c.layerName;
        Select(layer, c.layerName == "Parcels" ? c.selected : std::vector<long>{});
        Select(noIds, c.layerName == "NoIds" ? c.selected : std::vector<long>{});
        TakeProgress();
        EXPECT_TRUE(Export(false, "", c.useFieldConfig));
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{c.message});
        EXPECT_EQ(FileText(kOut), c.table);
        EXPECT_EQ(TakeProgress(), c.progress);
        EXPECT_FALSE(Progress().Visible());
        EXPECT_FALSE(host::FileChannels::Instance().IsOpen(1));
        EXPECT_FALSE(host::FileChannels::Instance().IsOpen(2));
    }
}

TEST_F(ExportAllValuesTest, TheFieldConfigurationNamesColumnsBySlotKeysAndAddsEmptyNoneColumns) {
    Select(AddLayer("Parcels", {{"PARCEL_ID", String}, {"OWNER", String}, {"CITY", String}},
                    {{"1-1", "SMITH", "MILLBROOK"}}),
           {1});
    struct Case {
        const char* what;
        std::vector<std::string> items;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"as the dialog saves it, names matched ignoring case",
         {"parcel_id", "XPARCELIDX", "OWNER", "XNAMEAX", "NONE", "NONEXNAMEBX", "NONE", "NONEXADDRESSAX", "NONE",
          "NONEXADDRESSBX", "City", "XCITYX", "NONE", "NONEXSTATEX", "NONE", "NONEXZIPX"},
         Lines({"\"OBJECTID\"\t\"XPARCELIDX\"\t\"XNAMEAX\"\t\"XCITYX\"\t\"XNAMEBX\"\t\"XADDRESSAX\"\t\"XADDRESSBX\"\t"
                "\"XSTATEX\"\t\"XZIPX\"",
                "\"1\"\t\"1-1\"\t\"SMITH\"\t\"MILLBROOK\"\t\"\"\t\"\"\t\"\"\t\"\"\t\"\""})},
        {"one field for two slots: the earlier key names it, the later names nothing",
         {"OWNER", "XNAMEAX", "OWNER", "XNAMEBX"},
         Lines({"\"OBJECTID\"\t\"PARCEL_ID\"\t\"XNAMEAX\"\t\"CITY\"", "\"1\"\t\"1-1\"\t\"SMITH\"\t\"MILLBROOK\""})},
        {"a field the table lacks gives no column", {"GONE", "XZIPX"},
         Lines({"\"OBJECTID\"\t\"PARCEL_ID\"\t\"OWNER\"\t\"CITY\"", "\"1\"\t\"1-1\"\t\"SMITH\"\t\"MILLBROOK\""})},
        {"NONE in any case, taken out wherever it stands", {"x", "NoneXZIPX", "y", "nOnEXSTATEXNONE"},
         Lines({"\"OBJECTID\"\t\"PARCEL_ID\"\t\"OWNER\"\t\"CITY\"\t\"XZIPX\"\t\"XSTATEX\"",
                "\"1\"\t\"1-1\"\t\"SMITH\"\t\"MILLBROOK\"\t\"\"\t\"\""})},
        {"a last item without its partner is passed over", {"OWNER", "XNAMEAX", "CITY"},
         Lines({"\"OBJECTID\"\t\"PARCEL_ID\"\t\"XNAMEAX\"\t\"CITY\"", "\"1\"\t\"1-1\"\t\"SMITH\"\t\"MILLBROOK\""})},
        {"an empty file renames nothing", {},
         Lines({"\"OBJECTID\"\t\"PARCEL_ID\"\t\"OWNER\"\t\"CITY\"", "\"1\"\t\"1-1\"\t\"SMITH\"\t\"MILLBROOK\""})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFieldsItems(c.items);
        EXPECT_FALSE(Export(false, "", true));
        EXPECT_EQ(FileText(kOut), c.expected);
        EXPECT_FALSE(host::FileChannels::Instance().IsOpen(2));
    }
    EXPECT_TRUE(Messages().Texts().empty());

    // Without the configuration the file is not read at all.
    WriteFieldsItems({"OWNER", "XNAMEAX"});
    EXPECT_FALSE(ExportAllValues(kOut, kTab, kQuote, false, "", false, "C:\\no\\such\\fields"));
    EXPECT_EQ(FileText(kOut).substr(0, 34), "\"OBJECTID\"\t\"PARCEL_ID\"\t\"OWNER\"\t\"CI");
}

TEST_F(ExportAllValuesTest, LeavesOutTheRowsWhoseSearchFieldEqualsTheSubject) {
    Select(AddLayer("Parcels", {{"PARCEL_ID", String}, {"AREA", Double}},
                    {{"A-1", 2.5}, {"a-1", 10.0}, {"", Value()}, {Value(), 3.0}, {"B-2", 2.5}}),
           {1, 2, 3, 4, 5});
    struct Case {
        const char* what;
        std::string searchField;
        bool exclude;
        std::string subject;
        std::vector<std::string> ids;  // the object ids written
    };
    const std::vector<Case> cases = {
        {"off", "PARCEL_ID", false, "A-1", {"1", "2", "3", "4", "5"}},
        {"ignoring case", "PARCEL_ID", true, "a-1", {"3", "4", "5"}},
        {"nothing picked: empty texts go, Nulls stay", "PARCEL_ID", true, "", {"1", "2", "4", "5"}},
        {"a number, through its text", "AREA", true, "2.5", {"2", "3", "4"}},
        {"a subject that matches nothing", "PARCEL_ID", true, "Z-9", {"1", "2", "3", "4", "5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gSearchFieldName = c.searchField;
        EXPECT_FALSE(Export(c.exclude, c.subject));
        std::vector<std::string> ids;
        for (const auto& row : ReadTable(FileText(kOut), '\t')) ids.push_back(row.at(0));
        ids.erase(ids.begin());  // the header
        EXPECT_EQ(ids, c.ids);
    }

    // Every row left out: the header alone, and the export ran to its end.
    gSearchFieldName = "AREA";
    Select(AddLayer("Lots", {{"AREA", Double}}, {{2.5}}), {1});
    gSelectionLayerName = "Lots";
    EXPECT_FALSE(Export(true, "2.5"));
    EXPECT_EQ(FileText(kOut), Lines({"\"OBJECTID\"\t\"AREA\""}));

    // No search field in the table while leaving out the subject: the report after the
    // header, and the export gave up.
    gSearchFieldName = "NONE";
    EXPECT_TRUE(Export(true, ""));
    EXPECT_EQ(FileText(kOut), Lines({"\"OBJECTID\"\t\"AREA\""}));
    EXPECT_EQ(ReportedErrors(TakeMessages()), std::vector<long>{9});
    EXPECT_FALSE(Progress().Visible());
    EXPECT_FALSE(host::FileChannels::Instance().IsOpen(1));
    EXPECT_FALSE(Export(false, ""));
}

TEST_F(ExportAllValuesTest, TheProgressBarSpansTheSelectionWithATenthAsItsStep) {
    std::vector<std::vector<Value>> rows(25, std::vector<Value>{"x"});
    auto layer = AddLayer("Parcels", {{"PARCEL_ID", String}}, rows);
    // A tenth rounded to the nearest whole number, halves to the even one.
    const std::vector<std::pair<long, long>> cases = {{1, 0}, {5, 0}, {6, 1}, {14, 1}, {15, 2}, {25, 2}};
    for (const auto& [count, step] : cases) {
        std::vector<long> ids;
        for (long id = 1; id <= count; ++id) ids.push_back(id);
        Select(layer, ids);
        TakeProgress();
        EXPECT_FALSE(Export());
        EXPECT_EQ(TakeProgress(), (std::vector<std::string>{"MinRange 1", "Position 1", "Message \"Exporting...\"",
                                                            "Show", "MaxRange " + std::to_string(count),
                                                            "StepValue " + std::to_string(step), "Hide"}))
            << count;
    }
}

TEST_F(ExportAllValuesTest, ATableThatCannotBeWrittenIsReportedAndTheExportGivesUp) {
    Select(AddLayer("Parcels", {{"PARCEL_ID", String}}, {{"1-1"}}), {1});

    // A folder that does not exist.
    EXPECT_TRUE(ExportAllValues("C:\\no\\such\\folder\\out.txt", kTab, kQuote, false, "", false, ""));
    EXPECT_EQ(ReportedErrors(TakeMessages()), std::vector<long>{76});
    EXPECT_FALSE(Progress().Visible());

    // A read-only table: the delete reports, then the open does; the old table stays.
    WriteFileText(kOut, "old\r\n");
    host::FileSystem::SetReadOnly(kOut, true);
    EXPECT_TRUE(Export());
    EXPECT_EQ(ReportedErrors(TakeMessages()), (std::vector<long>{70, 75}));
    EXPECT_EQ(FileText(kOut), "old\r\n");
    host::FileSystem::SetReadOnly(kOut, false);

}

}  // namespace
