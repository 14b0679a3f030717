// View Report: what it refuses, "Export.txt" beside the documents, and the shell's request.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "extension/command/Globals.h"
#include "extension/mainwindow/frmMain.h"
#include "host/data/Field.h"
#include "host/platform/FileChannels.h"
#include "host/platform/FileSystem.h"
#include "tests/extension/export/ExportFixture.h"

namespace {

using export_test::Lines;
using host::FieldType::String;

const std::vector<std::string> kConfigured = {
    "PARCEL_ID", "XPARCELIDX", "OWNER_NAME", "XNAMEAX", "NONE", "NONEXNAMEBX", "NONE", "NONEXADDRESSAX",
    "NONE", "NONEXADDRESSBX", "CITY", "XCITYX", "NONE", "NONEXSTATEX", "NONE", "NONEXZIPX"};
const std::string kHeader =
    "\"OBJECTID\"\t\"XPARCELIDX\"\t\"XNAMEAX\"\t\"XCITYX\"\t\"XNAMEBX\"\t\"XADDRESSAX\"\t\"XADDRESSBX\"\t\"XSTATEX\"\t"
    "\"XZIPX\"";
const std::string kEmptyNoneColumns = "\t\"\"\t\"\"\t\"\"\t\"\"\t\"\"";

class ViewReportTest : public export_test::ExportTest {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        parcels_ = AddLayer("Parcels", {{"PARCEL_ID", String}, {"OWNER_NAME", String}, {"CITY", String}},
                            {{"1-1", "SMITH", "MILLBROOK"}, {"1-2", "THE \"HIGH\" TRUST", "MILLBROOK"}, {"1-3", "DOE"}});
    }

    std::string ExportTxt() const { return gDocumentsFolder + "Export.txt"; }

    host::Ref<host::FeatureLayer> parcels_;
};

TEST_F(ViewReportTest, RefusesWithoutADocumentOrAFieldConfiguration) {
    struct Case {
        const char* what;
        std::vector<std::string> documents;
        std::optional<std::vector<std::string>> fields;  // nothing: no "fields" file
        std::string message;
    };
    const std::vector<Case> cases = {
        {"an empty documents folder", {}, kConfigured, "Please select a document"},
        {"the default configuration", {"Labels.fodt"}, std::vector<std::string>{
             "XPARCELIDX", "NONE", "XNAMEAX", "NONE", "XNAMEBX", "NONE", "XADDRESSAX", "NONE", "XADDRESSBX", "NONE",
             "XCITYX", "NONE", "XSTATEX", "NONE", "XZIPX", "NONE"},
         "Please click Configure to select fields for exporting"},
        {"no field configuration file", {"Labels.fodt"}, std::nullopt,
         "Error:  Please be sure the label documents are closed before generating a new list."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        frmMain& main = OpenMainWindow(c.documents, "Parcels");
        Select(parcels_, {1});
        if (c.fields)
            WriteFieldsItems(*c.fields);
        else
            host::FileSystem::DeleteFile(gFieldsFilePath);
        TakeMessages();
        gDocumentName = "NONE";

        main.Command1.Press();
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{c.message});
        EXPECT_EQ(FileText(ExportTxt()), "(missing)");
        EXPECT_EQ(gDocumentName, "NONE");
        EXPECT_TRUE(ShellRequests().Requests().empty());
        EXPECT_FALSE(host::FileChannels::Instance().IsOpen(1));
    }
}

TEST_F(ViewReportTest, WritesExportTxtBesideTheDocumentsAndOpensTheChosenOne) {
    frmMain& main = OpenMainWindow({"Labels.fodt", "Report.fodt"}, "Parcels");
    gSearchFieldName = "PARCEL_ID";
    WriteFieldsItems(kConfigured);
    Select(parcels_, {1, 2, 3});
    main.cboDocs.ChooseItem(main.cboDocs.IndexOf("Report.fodt"));
    // The subject picked in the search list is left out while the box is ticked.
    PickSearchValue("1-1");
    main.Check1.Press();
    TakeMessages();

    main.Command1.Press();
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{});
    EXPECT_EQ(FileText(ExportTxt()),
              Lines({kHeader, "\"2\"\t\"1-2\"\t\"THE \"\"HIGH\"\" TRUST\"\t\"MILLBROOK\"" + kEmptyNoneColumns,
                     "\"3\"\t\"1-3\"\t\"DOE\"\t\"\"" + kEmptyNoneColumns}));
    EXPECT_EQ(gDocumentName, "Report.fodt");
    ASSERT_EQ(ShellRequests().Requests().size(), 1u);
    const host::ShellRequest& request = ShellRequests().Requests()[0];
    EXPECT_EQ(request.verb, "open");
    EXPECT_EQ(request.file, gDocumentsFolder + "Report.fodt");
    EXPECT_EQ(request.parameters, std::nullopt);
    EXPECT_EQ(request.folder, "C:\\");
    EXPECT_EQ(request.showCommand, 1);

    // Unticked, every selected row goes out; a configuration saved with every slot on NONE
    // passes and gives the eight empty key columns.
    main.Check1.Press();
    WriteFieldsItems({"NONE", "NONEXPARCELIDX", "NONE", "NONEXNAMEAX", "NONE", "NONEXNAMEBX", "NONE",
                      "NONEXADDRESSAX", "NONE", "NONEXADDRESSBX", "NONE", "NONEXCITYX", "NONE", "NONEXSTATEX", "NONE",
                      "NONEXZIPX"});
    Select(parcels_, {1});
    main.Command1.Press();
    EXPECT_EQ(FileText(ExportTxt()),
              Lines({"\"OBJECTID\"\t\"PARCEL_ID\"\t\"OWNER_NAME\"\t\"CITY\"\t\"XPARCELIDX\"\t\"XNAMEAX\"\t\"XNAMEBX\"\t"
                     "\"XADDRESSAX\"\t\"XADDRESSBX\"\t\"XCITYX\"\t\"XSTATEX\"\t\"XZIPX\"",
                     "\"1\"\t\"1-1\"\t\"SMITH\"\t\"MILLBROOK\"\t\"\"\t\"\"\t\"\"\t\"\"\t\"\"\t\"\"\t\"\"\t\"\""}));
    EXPECT_EQ(ShellRequests().Requests().size(), 2u);
}

TEST_F(ViewReportTest, AnExportThatGivesUpOrAMissingDocumentOpensNothing) {
    frmMain& main = OpenMainWindow({"Labels.fodt"}, "Parcels");
    WriteFieldsItems(kConfigured);
    const std::string old = "old data\r\n";
    const std::string labels = gDocumentsFolder + "Labels.fodt";
    struct Case {
        const char* what;
        std::vector<long> selected;
        bool documentThere;
        std::vector<std::string> messages;
        bool rewritten;
    };
    const std::vector<Case> cases = {
        {"nothing selected", {}, true, {"No features selected"}, false},
        {"nothing selected and the document gone", {}, false, {"No features selected", labels + " not found."}, false},
        {"the document deleted after the list was filled", {1}, false, {labels + " not found."}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFileText(ExportTxt(), old);
        if (c.documentThere)
            WriteFileText(labels, "");
        else if (host::FileSystem::FileExists(labels))
            host::FileSystem::DeleteFile(labels);
        Select(parcels_, c.selected);
        TakeMessages();
        main.Command1.Press();
        EXPECT_EQ(TakeMessages(), c.messages);
        EXPECT_EQ(FileText(ExportTxt()) != old, c.rewritten);
        EXPECT_EQ(gDocumentName, "Labels.fodt");
        EXPECT_TRUE(ShellRequests().Requests().empty());
    }
}

TEST_F(ViewReportTest, ExportTxtItselfChosenIsRewrittenAndOpened) {
    WriteFieldsItems(kConfigured);
    frmMain& main = OpenMainWindow({"Export.txt"}, "Parcels");
    Select(parcels_, {3});
    main.Command1.Press();
    EXPECT_EQ(FileText(ExportTxt()), Lines({kHeader, "\"3\"\t\"1-3\"\t\"DOE\"\t\"\"" + kEmptyNoneColumns}));
    ASSERT_EQ(ShellRequests().Requests().size(), 1u);
    EXPECT_EQ(ShellRequests().Requests()[0].file, ExportTxt());
}

}  // namespace
