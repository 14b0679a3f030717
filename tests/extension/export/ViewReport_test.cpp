// View Report: what it refuses, "Export.txt" beside the documents and the shell's request.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "extension/command/Globals.h"
#include "extension/command/Settings.h"
#include "extension/mainwindow/frmMain.h"
#include "host/platform/FileChannels.h"
#include "host/platform/FileSystem.h"
#include "host/core/RuntimeError.h"
#include "host/platform/Shell.h"
#include "tests/extension/command/CommandFixture.h"

namespace {

const std::vector<std::string> kConfigured = {"OWNER", "XNAMEAX", "NONE", "NONEXZIPX"};

class ViewReportTest : public support::CommandTest {
protected:
    void SetUp() override {
        CommandTest::SetUp();
        CreateCommand();
        parcels_ = AddLayer("Parcels", {"PARCEL_ID", "OWNER"}, {{"1-1", "SMITH"}, {"1-2", "JONES"}});
    }
    static std::string ExportTxt() { return gDocumentsFolder + "Export.txt"; }
    host::Ref<host::FeatureLayer> parcels_;
};

TEST_F(ViewReportTest, RefusesWithoutADocumentOrAFieldConfigurationAndTouchesNothing) {
    struct Case {
        std::vector<std::string> documents;
        std::optional<std::vector<std::string>> fields;  // nothing: no "fields" file
        std::string message;
    };
    const std::vector<Case> cases = {
        {{}, kConfigured, "Please select a document"},
        {{"Labels.fodt"}, std::nullopt, "Error:  Please be sure the label documents are closed before generating a new list."},
        {{"Labels.fodt"},
         std::vector<std::string>{"XPARCELIDX", "NONE", "XNAMEAX", "NONE", "XNAMEBX", "NONE", "XADDRESSAX", "NONE",
                                  "XADDRESSBX", "NONE", "XCITYX", "NONE", "XSTATEX", "NONE", "XZIPX", "NONE"},
         "Please click Configure to select fields for exporting"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        for (const std::string& document : c.documents) AddDocument(document);
        frmMain& main = Open("Parcels");
        main.RefillDocumentsList();
        Select(parcels_, {1});
        if (c.fields)
            WriteItems(gFieldsFilePath, *c.fields);
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

    // Saved with every slot on NONE is no default: the export runs with eight empty key columns.
    std::vector<std::string> allNone;
    std::string header = "\"OBJECTID\"\t\"PARCEL_ID\"\t\"OWNER\"";
    std::string row = "\"1\"\t\"1-1\"\t\"SMITH\"";
    for (std::string_view key : kExportFieldSlotKeys) {
        allNone.insert(allNone.end(), {"NONE", "NONE" + std::string(key)});
        header += "\t\"" + std::string(key) + "\"";
        row += "\t\"\"";
    }
    WriteItems(gFieldsFilePath, allNone);
    gMainForm->Command1.Press();
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(FileText(ExportTxt()), support::Lines({header, row}));
}

TEST_F(ViewReportTest, OpensTheDocumentOnlyWhenTheExportRanAndTheDocumentIsThere) {
    AddDocument("Labels.fodt");
    frmMain& main = Open("Parcels");
    WriteItems(gFieldsFilePath, kConfigured);
    const std::string labels = gDocumentsFolder + "Labels.fodt";
    const std::string written =
        support::Lines({"\"OBJECTID\"\t\"PARCEL_ID\"\t\"XNAMEAX\"\t\"XZIPX\"", "\"2\"\t\"1-2\"\t\"JONES\"\t\"\""});
    struct Case {
        std::vector<long> selected;
        bool documentThere;
        std::vector<std::string> messages;
        std::string exportTxt;
        bool opened;
    };
    const std::vector<Case> cases = {
        {{}, true, {"No features selected"}, "old", false},
        {{}, false, {"No features selected", labels + " not found."}, "old", false},
        {{2}, false, {labels + " not found."}, written, false},
        {{2}, true, {}, written, true},
    };
    for (const Case& c : cases) {
        WriteBytes(Native(ExportTxt()), "old");
        if (c.documentThere) WriteBytes(Native(labels), "");
        if (!c.documentThere && host::FileSystem::FileExists(labels)) host::FileSystem::DeleteFile(labels);
        Select(parcels_, c.selected);
        ShellRequests().Clear();
        main.Command1.Press();
        EXPECT_EQ(TakeMessages(), c.messages);
        EXPECT_EQ(FileText(ExportTxt()), c.exportTxt);
        EXPECT_EQ(gDocumentName, "Labels.fodt");
        ASSERT_EQ(ShellRequests().Requests().size(), c.opened ? 1u : 0u);
    }
    const host::ShellRequest& request = ShellRequests().Requests().at(0);
    EXPECT_EQ(request.verb, "open");
    EXPECT_EQ(request.file, labels);
    EXPECT_EQ(request.parameters, std::nullopt);
    EXPECT_EQ(request.folder, "C:\\");

    // A shell that refuses the request: no message, the table is written all the same.
    struct RefusingShell : host::Shell {
        void Execute(const host::ShellRequest&) override { host::Raise(host::err::AutomationError); }
    };
    host::Shell::Install(std::make_shared<RefusingShell>());
    WriteBytes(Native(ExportTxt()), "old");
    main.Command1.Press();
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(FileText(ExportTxt()), written);
}

}  // namespace
