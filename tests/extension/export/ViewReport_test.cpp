// View Report: what it refuses, "Export.txt" beside the documents, the shell's request and
// what it says when the shell cannot open the document.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "extension/command/Globals.h"
#include "extension/command/Settings.h"
#include "extension/mainwindow/frmMain.h"
#include "host/core/RuntimeError.h"
#include "host/platform/FileSystem.h"
#include "host/platform/Shell.h"
#include "tests/extension/command/CommandFixture.h"
#include "tests/support/FileFaults.h"

namespace {

using Texts = std::vector<std::string>;
const Texts kConfigured = {"OWNER", "XNAMEAX", "NONE", "NONEXZIPX"};

// The items followed by three empty ones, as the check lets empty lines stand after the
// sixteen items of "fields".
Texts Padded(Texts items) {
    items.insert(items.end(), 3, "");
    return items;
}

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
    // An empty list stands for no "fields" file.
    const std::vector<std::tuple<bool, Texts, std::string>> cases = {
        {false, kConfigured, "Please select a document"},
        {true, {}, "Error:  Please be sure the label documents are closed before generating a new list."},
        {true, DefaultFieldsItems(), "Please click Configure to select fields for exporting"},
        {true, Padded(DefaultFieldsItems()), "Please click Configure to select fields for exporting"},
    };
    for (const auto& [document, fields, message] : cases) {
        if (document) AddDocument("Labels.fodt");
        frmMain& main = Open("Parcels");
        main.RefillDocumentsList();
        Select(parcels_, {1});
        if (fields.empty())
            host::FileSystem::DeleteFile(gFieldsFilePath);
        else
            WriteItems(gFieldsFilePath, fields);
        TakeMessages();
        main.Command1.Press();
        EXPECT_EQ(TakeMessages(), Texts{message});
        EXPECT_EQ(FileText(ExportTxt()), "(missing)") << message;
        EXPECT_TRUE(ShellRequests().Requests().empty());
    }
    // Saved with every slot on NONE is no default: the export runs.
    Texts allNone;
    for (std::string_view key : kExportFieldSlotKeys)
        allNone.insert(allNone.end(), {"NONE", "NONE" + std::string(key)});
    WriteItems(gFieldsFilePath, allNone);
    gMainForm->Command1.Press();
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_NE(FileText(ExportTxt()), "(missing)");
}

TEST_F(ViewReportTest, OpensTheDocumentOnlyWhenTheExportRanWholeAndTheDocumentIsThere) {
    AddDocument("Labels.fodt");
    frmMain& main = Open("Parcels");
    WriteItems(gFieldsFilePath, Padded(kConfigured));  // the empty items pair to no column
    const std::string labels = gDocumentsFolder + "Labels.fodt";
    const std::string written =
        support::Lines({"\"OBJECTID\"\t\"PARCEL_ID\"\t\"XNAMEAX\"\t\"XZIPX\"", "\"2\"\t\"1-2\"\t\"JONES\"\t\"\""});
    const std::vector<std::tuple<std::vector<long>, bool, Texts, std::string>> cases = {
        {{}, true, {"No features selected"}, "old"},
        {{2}, false, {labels + " not found."}, written},
        {{2}, true, {}, written},
    };
    for (const auto& [selected, documentThere, messages, exportTxt] : cases) {
        WriteBytes(Native(ExportTxt()), "old");
        if (documentThere)
            WriteBytes(Native(labels), "");
        else
            host::FileSystem::DeleteFile(labels);
        Select(parcels_, selected);
        ShellRequests().Clear();
        main.Command1.Press();
        EXPECT_EQ(TakeMessages(), messages);
        EXPECT_EQ(FileText(ExportTxt()), exportTxt);
        ASSERT_EQ(ShellRequests().Requests().size(), messages.empty() ? 1u : 0u);
    }
    EXPECT_EQ(ShellRequests().Requests().at(0).file, labels);
    EXPECT_EQ(ShellRequests().Requests().at(0).folder, "C:\\");

    // A table that fails part-way, as on a full disk: Export.txt stays as it was, the report
    // says why, and the document is not opened.
    Select(parcels_, {1, 2});
    WriteBytes(Native(ExportTxt()), "old");
    ShellRequests().Clear();
    {
        const support::WriteLimit limit(30);
        main.Command1.Press();
    }
    const Texts shown = TakeMessages();
    EXPECT_EQ(ReportedErrors(shown), std::vector<long>{75});
    EXPECT_NE(shown.at(0).find("\"" + ExportTxt() + "\" could not be written (File too large)"), std::string::npos);
    EXPECT_EQ(FileText(ExportTxt()), "old");
    EXPECT_TRUE(ShellRequests().Requests().empty());

    // A shell that cannot hand the document to a program, or raises: the message names the
    // document and the cause; the table is written all the same.
    struct FailingShell : host::Shell {
        host::ShellFailure Execute(const host::ShellRequest&) override {
            if (raise) host::Raise(host::err::AutomationError);
            return "xdg-open was not found (it comes with xdg-utils)";
        }
        bool raise = false;
    };
    auto failing = std::make_shared<FailingShell>();
    host::Shell::Install(failing);
    Select(parcels_, {2});
    for (const auto& [raise, cause] :
         {std::pair{false, "xdg-open was not found (it comes with xdg-utils)"}, std::pair{true, "Automation error"}}) {
        failing->raise = raise;
        WriteBytes(Native(ExportTxt()), "old");
        main.Command1.Press();
        EXPECT_EQ(TakeMessages(), Texts{labels + " could not be opened: " + cause});
        EXPECT_EQ(FileText(ExportTxt()), written);
    }
}

}  // namespace
