// The export engine: values that come back whole, giving up, the field configuration and
// leaving out the subject.
#include "extension/export/ExportAllValues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "extension/command/Globals.h"
#include "host/framework/Application.h"
#include "host/framework/StatusBar.h"
#include "host/platform/FileChannels.h"
#include "host/platform/FileSystem.h"
#include "tests/extension/command/CommandFixture.h"

namespace {

using support::Lines;
using host::Value;
using Table = std::vector<std::vector<std::string>>;

constexpr const char* kOut = "C:\\out.txt";

// Reads a table as a mail-merge reader or a spreadsheet does: a qualified value runs to the
// lone double quote that closes it, two inside stand for one, and delimiters and line
// breaks inside belong to the value.
Table ReadTable(const std::string& text, char delim) {
    Table rows(1);
    std::string value;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            value += text[++i];
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == delim || (c == '\r' && text.compare(i, 2, "\r\n") == 0))) {
            rows.back().push_back(value);
            value.clear();
            if (c == '\r') rows.emplace_back(), ++i;
        } else {
            value += c;
        }
    }
    rows.pop_back();  // nothing follows the last line end
    return rows;
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
    static std::vector<std::string> FirstColumn() {
        std::vector<std::string> ids;
        for (const auto& row : ReadTable(FileText(kOut), '\t')) ids.push_back(row.at(0));
        return ids;
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
    const Table expected = {{"OBJECTID", "PARCEL_ID", "OWNER \"A\""}, {"1", "1-1", "THE \"HIGH\" TRUST"},
                            {"2", "1-2", "SMITH, JOHN"},           {"3", "1-3", "\tTABS STAY\t"},
                            {"4", "1-4", "BLANKS GO"},             {"5", "1-5", "TWO\r\nLINES"},
                            {"6", "1-6", ""},                      {"7", "2.5", "2/3/2001"}};
    for (const char delim : {'\t', ','}) {
        const std::string d(1, delim);
        ASSERT_FALSE(Export(false, "", false, d.c_str()));
        const std::string text = FileText(kOut);
        EXPECT_EQ(text.substr(0, text.find("\r\n") + 2), "\"OBJECTID\"" + d + "\"PARCEL_ID\"" + d + "\"OWNER \"\"A\"\"\"\r\n");
        EXPECT_EQ(ReadTable(text, delim), expected) << "delimiter " << int{delim};
    }
    EXPECT_TRUE(Messages().Texts().empty());
    EXPECT_FALSE(host::FileChannels::Instance().IsOpen(1));
}

TEST_F(ExportAllValuesTest, GivesUpWithItsMessageAndLeavesTheOldTable) {
    auto parcels = AddLayer("Parcels", {"PARCEL_ID"}, {{"1-1"}, {"1-2"}});
    auto noIds = AddLayer("NoIds", {"PARCEL_ID"}, {{"9-9"}}, false);
    host::FileSystem::DeleteFile(gFieldsFilePath);
    struct Case {
        std::string layer;
        std::vector<long> selected;
        bool useFields;
        std::string message;
        std::string table;
    };
    const std::string old = "old table\r\n";
    auto& bar = *app_->StatusBar()->ProgressBar();
    const std::vector<Case> cases = {
        {"Lots", {1}, false, "Can't find layer: Lots", old},
        {"Parcels", {}, false, "No features selected", old},
        {"Parcels", {1, 2}, true, "Can't find field configuration file: \r\n" + gFieldsFilePath, old},
        {"NoIds", {0}, false, "Attribute Table must have an ObjectID field.  Please create one.",
         Lines({"\"PARCEL_ID\""})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        WriteBytes(Native(kOut), old);
        gSelectionLayerName = c.layer;
        Select(c.layer == "NoIds" ? noIds : parcels, c.selected);
        bar.ClearHistory();
        EXPECT_TRUE(Export(false, "", c.useFields));
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{c.message});
        EXPECT_EQ(FileText(kOut), c.table);
        // The bar appears only once there is something to export, and is gone again.
        const std::vector<std::string> history = bar.HistoryLines();
        const bool shown = std::find(history.begin(), history.end(), "Show") != history.end();
        EXPECT_EQ(shown, c.table != old || c.useFields);
        EXPECT_FALSE(bar.Visible());
        EXPECT_FALSE(host::FileChannels::Instance().IsOpen(1));
    }

    // A table that cannot be written: the report, and the export gave up.
    gSelectionLayerName = "Parcels";
    Select(parcels, {1});
    EXPECT_TRUE(ExportAllValues("C:\\no\\folder\\out.txt", "\t", "\"", false, "", false, ""));
    EXPECT_EQ(ReportedErrors(TakeMessages()), std::vector<long>{76});
}

TEST_F(ExportAllValuesTest, TheFieldConfigurationNamesColumnsBySlotKeysAndAddsEmptyNoneColumns) {
    Select(AddLayer("Parcels", {"PARCEL_ID", "OWNER", "CITY"}, {{"1-1", "SMITH", "MILLBROOK"}}), {1});
    struct Case {
        const char* what;
        std::vector<std::string> items;
        std::string header;  // the tab-delimited header, unqualified
        std::size_t noneColumns;
    };
    const std::vector<Case> cases = {
        {"as the dialog saves it; names match ignoring case",
         {"parcel_id", "XPARCELIDX", "OWNER", "XNAMEAX", "NONE", "NONEXNAMEBX", "City", "XCITYX", "NONE", "NONEXZIPX"},
         "OBJECTID XPARCELIDX XNAMEAX XCITYX XNAMEBX XZIPX", 2},
        {"one field for two slots: the earlier key, the later names nothing",
         {"OWNER", "XNAMEAX", "OWNER", "XNAMEBX"}, "OBJECTID PARCEL_ID XNAMEAX CITY", 0},
        {"a field the table lacks gives no column", {"GONE", "XZIPX"}, "OBJECTID PARCEL_ID OWNER CITY", 0},
        {"NONE in any case, taken out wherever it stands", {"x", "NoneXZIPX", "y", "nOnEXSTATEXNONE"},
         "OBJECTID PARCEL_ID OWNER CITY XZIPX XSTATEX", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteItems(gFieldsFilePath, c.items);
        EXPECT_FALSE(Export(false, "", true));
        const Table table = ReadTable(FileText(kOut), '\t');
        std::string header;
        for (const std::string& name : table.at(0)) header += (header.empty() ? "" : " ") + name;
        EXPECT_EQ(header, c.header);
        ASSERT_EQ(table.at(1).size(), table[0].size());
        EXPECT_EQ(std::vector<std::string>(table[1].end() - static_cast<long>(c.noneColumns), table[1].end()),
                  std::vector<std::string>(c.noneColumns, ""));
        EXPECT_FALSE(host::FileChannels::Instance().IsOpen(2));
    }
}

TEST_F(ExportAllValuesTest, LeavesOutTheRowsWhoseSearchFieldEqualsTheSubject) {
    auto layer = AddLayer("Parcels", {"PARCEL_ID", "AREA"},
                          {{"A-1", 2.5}, {"a-1", 10.0}, {"", Value()}, {Value(), 3.0}, {"B-2", 2.5}});
    Select(layer, {1, 2, 3, 4, 5});
    struct Case {
        std::string field;
        bool exclude;
        std::string subject;
        std::vector<std::string> ids;
    };
    const std::vector<Case> cases = {
        {"PARCEL_ID", false, "A-1", {"OBJECTID", "1", "2", "3", "4", "5"}},
        {"PARCEL_ID", true, "a-1", {"OBJECTID", "3", "4", "5"}},       // ignoring case
        {"PARCEL_ID", true, "", {"OBJECTID", "1", "2", "4", "5"}},     // empty texts go, Nulls stay
        {"AREA", true, "2.5", {"OBJECTID", "2", "3", "4"}},            // numbers through their text
    };
    for (const Case& c : cases) {
        gSearchFieldName = c.field;
        EXPECT_FALSE(Export(c.exclude, c.subject));
        EXPECT_EQ(FirstColumn(), c.ids) << c.field << " " << c.subject;
    }

    // No search field in the table while leaving out the subject: the report after the
    // header, and the export gave up.
    gSearchFieldName = "NONE";
    EXPECT_TRUE(Export(true, ""));
    EXPECT_EQ(FirstColumn(), std::vector<std::string>{"OBJECTID"});
    EXPECT_EQ(ReportedErrors(TakeMessages()), std::vector<long>{9});
    EXPECT_FALSE(app_->StatusBar()->ProgressBar()->Visible());
}

TEST_F(ExportAllValuesTest, TheProgressBarStepsByATenthOfTheSelectionRoundedToEven) {
    auto layer = AddLayer("Parcels", {"PARCEL_ID"}, std::vector<std::vector<Value>>(25, {"x"}));
    auto& bar = *app_->StatusBar()->ProgressBar();
    for (const auto& [count, step] : std::vector<std::pair<long, long>>{{5, 0}, {6, 1}, {15, 2}, {25, 2}}) {
        std::vector<long> ids(static_cast<std::size_t>(count));
        for (long id = 0; id < count; ++id) ids[static_cast<std::size_t>(id)] = id + 1;
        Select(layer, ids);
        bar.ClearHistory();
        EXPECT_FALSE(Export());
        EXPECT_EQ(bar.HistoryLines(), (std::vector<std::string>{"MinRange 1", "Position 1", "Message \"Exporting...\"",
                                                                "Show", "MaxRange " + std::to_string(count),
                                                                "StepValue " + std::to_string(step), "Hide"}));
    }
}

}  // namespace
