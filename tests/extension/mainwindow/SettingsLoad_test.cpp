// The main window's settings: what the load restores from "config", what the pickers store
// and what the unload writes back.
#include <algorithm>
#include <filesystem>
#include <string>

#include "host/carto/Map.h"
#include "host/carto/MxDocument.h"
#include "host/framework/StatusBar.h"
#include "host/platform/Screen.h"
#include "tests/extension/command/CommandFixture.h"
#include "tests/support/FileFaults.h"

namespace {

class SettingsLoadTest : public support::CommandTest {
protected:
    void SetUp() override {
        CommandTest::SetUp();
        OpenTown();
    }
    // The seven settings of "config"; the documents folder is the default one unless given.
    Items Config(const char* buffer, const char* field, const char* selection, const char* exclude = "0",
                 const char* document = "NONE", const std::string& folder = "") const {
        return {buffer, field, selection, "250", document, exclude, folder.empty() ? gDocumentsFolder : folder};
    }
};

TEST_F(SettingsLoadTest, SavedNamesAreRestoredOnlyWhenAPickerHoldsThemExactly) {
    // What the three pickers show, the entries of cboSearchField and List1, the check box.
    struct Case {
        Items saved;
        const char* shown;
        long fields, values;
        int ticked;
    };
    const char* id = "Parcels.PARCEL_ID";
    const Case cases[] = {
        {Config("NONE", "NONE", "NONE"), "NONE||", 1, 0, 0},
        {Config("Parcels", id, "Streets", "1"), "Parcels|Parcels.PARCEL_ID|Streets", 15, 500, 1},
        {Config("parcels", id, "STREETS", "yes"), "||", 1, 0, 0},
        {Config("Parcels", "parcels.parcel_id", "Parcels"), "Parcels||Parcels", 15, 0, 0},
    };
    const auto progress = app_->StatusBar()->ProgressBar();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saved[0] + " / " + c.saved[1]);
        WriteItems(gConfigFilePath, c.saved);
        progress->ClearHistory();
        frmMain& form = Open();
        EXPECT_EQ(form.cboBufferLayer.Text() + "|" + form.cboSearchField.Text() + "|" + form.cboSelectionLayer.Text(),
                  c.shown);
        EXPECT_EQ(form.cboSearchField.ListCount(), c.fields);
        EXPECT_EQ(form.List1.ListCount(), c.values);
        EXPECT_EQ(form.Check1.Value(), c.ticked);
        // A restored field's values load once, at the end, with progress.
        EXPECT_EQ(std::ranges::count(progress->HistoryLines(), "Show"), c.values > 0 ? 1 : 0);
        // The unload writes back exactly what was read, whatever the pickers show.
        gMainForm->Unload();
        EXPECT_EQ(FileText(gConfigFilePath), support::ItemsText(c.saved));
    }
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(SettingsLoadTest, TheChoicesReachTheValuesAndAnotherBufferLayerLeavesTheFormerField) {
    WriteItems(gConfigFilePath, Config("Parcels", "Parcels.PARCEL_ID", "Parcels"));
    frmMain& form = Open();
    const Items values = form.List1.Items();
    form.cboSearchField.ChooseItem(0);  // "NONE" keeps the list
    EXPECT_EQ(form.List1.Items(), values);
    form.cboSearchField.ChooseItem(form.cboSearchField.IndexOf("Parcels.PARCEL_ID"));

    form.cboBufferLayer.ChooseItem(form.cboBufferLayer.IndexOf("Streets"));
    EXPECT_EQ(form.List1.ListCount(), 0);
    EXPECT_EQ(form.cboSearchField.IndexOf("NONE"), -1) << "refilled without NONE";
    EXPECT_EQ(form.cboSearchField.ListIndex(), -1);
    form.cboSelectionLayer.ChooseItem(form.cboSelectionLayer.IndexOf("Hydrants"));
    form.Check1.Press();
    gMainForm->Unload();
    EXPECT_EQ(FileText(gConfigFilePath), support::ItemsText(Config("Streets", "Parcels.PARCEL_ID", "Hydrants", "1")));

    Open();  // the former field is no field of Streets: nothing chosen, the value kept
    EXPECT_EQ(form.cboSearchField.ListIndex(), -1);
    EXPECT_EQ(gSearchFieldName, "Parcels.PARCEL_ID");
    form.cboSearchField.ChooseItem(form.cboSearchField.IndexOf("STREET_NAME"));
    EXPECT_NE(form.List1.IndexOf("O'CONNELL ST"), -1);
}

TEST_F(SettingsLoadTest, TheFrameIsCentredWithHalvesRoundedToEven) {
    struct Case {
        int width, height;
        long left, top;
    };  // the frame is 423 by 377 pixels
    for (const Case& c : {Case{1024, 768, 300, 196}, Case{400, 300, -12, -38}}) {
        host::Screen::Instance().SetSizePixels(c.width, c.height);
        const host::HostFrame* frame = Open().HostingFrame();
        EXPECT_EQ(frame->Left(), c.left) << c.width;
        EXPECT_EQ(frame->Top(), c.top) << c.height;
        gMainForm->Unload();
    }
}

TEST_F(SettingsLoadTest, AFailedSaveKeepsTheLastFileAndAMissingDocumentsFolderEndsTheLoad) {
    const Items saved = Config("Parcels", "Parcels.PARCEL_ID", "Streets", "1", "Labels.doc", "C:\\Nowhere\\");
    WriteItems(gConfigFilePath, saved);
    frmMain& form = Open();
    const Items shown = TakeMessages();
    ASSERT_EQ(ReportedErrors(shown), std::vector<long>{76}) << "the report, and no question";
    EXPECT_NE(shown[0].find("MODULE: Form_Load frmMain \r\n"), std::string::npos);
    EXPECT_EQ(form.cboBufferLayer.ListIndex(), -1);
    EXPECT_EQ(form.txtBuffer.Text(), "100") << "the load ends before the distance";

    form.cboBufferLayer.ChooseItem(1);
    {
        const support::WriteLimit full(10);  // the new file cannot be written whole
        EXPECT_TRUE(gMainForm->Unload()) << "never refused";
    }
    EXPECT_EQ(FileText(gConfigFilePath), support::ItemsText(saved));
    EXPECT_TRUE(TakeMessages().empty());
}

// As a Windows editor saves "config": a byte-order mark, a documents folder typed without
// its final backslash, a blank line at the end. All seven settings come back as meant.
TEST_F(SettingsLoadTest, WhatEditorsAddIsNotReadIntoTheSettings) {
    const std::string folder = gDocumentsFolder;
    const std::string unslashed = folder.substr(0, folder.size() - 1);
    for (const std::string& written : {unslashed, folder + "\\", unslashed + "/"}) {
        SCOPED_TRACE(written);
        const Items saved = Config("Parcels", "Parcels.PARCEL_ID", "Streets", "1", "Labels.doc", written);
        WriteBytes(Native(gConfigFilePath), "\xEF\xBB\xBF" + support::ItemsText(saved) + "\r\n");
        frmMain& form = Open();
        EXPECT_EQ(form.cboBufferLayer.Text(), "Parcels");
        EXPECT_EQ(form.cboDocs.Text(), "Labels.doc") << "the documents are found in the folder";
        EXPECT_EQ(gDocumentsFolder, folder);
        gMainForm->Unload();
        EXPECT_EQ(FileText(gConfigFilePath),
                  support::ItemsText(Config("Parcels", "Parcels.PARCEL_ID", "Streets", "1", "Labels.doc")));
    }
    EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
