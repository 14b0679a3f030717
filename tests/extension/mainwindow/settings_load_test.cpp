// The main window's settings: what the load restores from "config", what the pickers store,
// and what the unload writes back.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "extension/command/Globals.h"
#include "host/forms/HostFrame.h"
#include "host/platform/FileChannels.h"
#include "host/platform/FileSystem.h"
#include "host/platform/Screen.h"
#include "tests/extension/mainwindow/settings_fixture.h"

namespace {

namespace fs = std::filesystem;
using Items = std::vector<std::string>;

class SettingsLoadTest : public support::MainWindowTest {
protected:
    // The seven items of "config" with these first three names and the rest usual.
    Items Config(const std::string& buffer, const std::string& field, const std::string& selection) const {
        return {buffer, field, selection, "250", "NONE", "0", gDocumentsFolder};
    }
    std::string Saved(const Items& items) const {
        std::string text;
        for (const std::string& item : items) text += "\"" + item + "\"\r\n";
        return text;
    }
};

TEST_F(SettingsLoadTest, DefaultSettingsShowNoneAndChooseNothingElse) {
    frmMain& form = Open();  // the click writes the default "config"

    EXPECT_EQ(form.cboBufferLayer.Items(), (Items{"NONE", "Parcels", "Streets", "Hydrants"}));
    EXPECT_EQ(form.cboBufferLayer.Text(), "NONE");
    EXPECT_EQ(form.cboSearchField.Items(), Items{"NONE"});
    EXPECT_EQ(form.cboSearchField.ListIndex(), -1);
    EXPECT_EQ(form.cboSelectionLayer.Items(), (Items{"Parcels", "Streets", "Hydrants"}));
    EXPECT_EQ(form.cboSelectionLayer.ListIndex(), -1);
    EXPECT_EQ(form.List1.ListCount(), 0);
    EXPECT_EQ(form.txtBuffer.Text(), "100");
    EXPECT_EQ(form.Check1.Value(), 0);
    EXPECT_EQ(form.txtCount.Caption(), "0");
    EXPECT_EQ(form.cboDocs.Text(), "Labels.doc");
    EXPECT_EQ(form.cboDocs.DroppedWidth(), 200);
    EXPECT_EQ(form.cboSearchField.DroppedWidth(), 200);
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(SettingsLoadTest, SavedNamesAreRestoredOnlyWhenThePickerHoldsThemExactly) {
    struct Case {
        const char* what;
        Items saved;
        const char* bufferShown;
        const char* fieldShown;
        const char* selectionShown;
        bool fieldsListed;  // cboSearchField holds "NONE" and the layer's fields
        long listCount;
    };
    const Case cases[] = {
        {"layer and field present", Config("Parcels", kParcelId, "Streets"), "Parcels", kParcelId, "Streets", true,
         500},
        {"layer differs in case", Config("parcels", kParcelId, "STREETS"), "", "", "", false, 0},
        {"field NONE", Config("Parcels", "NONE", "Hydrants"), "Parcels", "", "Hydrants", true, 0},
        {"field differs in case", Config("Parcels", "parcels.parcel_id", "Parcels"), "Parcels", "", "Parcels", true,
         0},
        {"field of another layer", Config("Parcels", "STREET_NAME", "Parcels"), "Parcels", "", "Parcels", true, 0},
        {"layer missing from the map", Config("Old parcels", kParcelId, "Gone"), "", "", "", false, 0},
        {"layer in a group", Config("Streets", "STREET_NAME", "Streets"), "Streets", "STREET_NAME", "Streets", true,
         0},
    };
    for (const Case& c : cases) {
        WriteConfig(c.saved);
        frmMain& form = Open();
        EXPECT_EQ(form.cboBufferLayer.Text(), c.bufferShown) << c.what;
        EXPECT_EQ(form.cboSearchField.Text(), c.fieldShown) << c.what;
        EXPECT_EQ(form.cboSelectionLayer.Text(), c.selectionShown) << c.what;
        EXPECT_EQ(form.cboSearchField.List(0), "NONE") << c.what;
        EXPECT_EQ(form.cboSearchField.ListCount() > 1, c.fieldsListed) << c.what;
        if (c.listCount > 0) {
            EXPECT_EQ(form.List1.ListCount(), c.listCount) << c.what;
        } else if (std::string(c.fieldShown).empty()) {
            EXPECT_EQ(form.List1.ListCount(), 0) << c.what;
        } else {
            EXPECT_GT(form.List1.ListCount(), 0) << c.what;
        }
        // The values are what "config" held, whatever the pickers show...
        EXPECT_EQ(gBufferLayerName, c.saved[0]) << c.what;
        EXPECT_EQ(gSearchFieldName, c.saved[1]) << c.what;
        EXPECT_EQ(gSelectionLayerName, c.saved[2]) << c.what;
        EXPECT_EQ(form.txtBuffer.Text(), "250") << c.what;
        // ...and the unload writes back exactly what was read.
        Unload();
        EXPECT_EQ(ConfigText(), Saved(c.saved)) << c.what;
        EXPECT_TRUE(TakeMessages().empty()) << c.what;
    }
}

TEST_F(SettingsLoadTest, AnotherBufferLayerKeepsTheFormerSearchFieldUntilOneIsChosen) {
    WriteConfig(Config("Parcels", kParcelId, "Parcels"));
    frmMain& form = Open();
    ASSERT_EQ(form.List1.ListCount(), 500);

    form.cboBufferLayer.ChooseItem(form.cboBufferLayer.IndexOf("Streets"));
    EXPECT_EQ(gBufferLayerName, "Streets");
    EXPECT_EQ(form.List1.ListCount(), 0);
    EXPECT_EQ(form.cboSearchField.IndexOf("NONE"), -1) << "refilled without NONE";
    EXPECT_NE(form.cboSearchField.IndexOf("STREET_NAME"), -1);
    EXPECT_EQ(form.cboSearchField.ListIndex(), -1);
    EXPECT_EQ(gSearchFieldName, kParcelId) << "the former field, shown nowhere";

    // Saved as it stands; the next load finds no such field on Streets and leaves it be.
    Unload();
    EXPECT_EQ(ConfigText(), Saved(Config("Streets", kParcelId, "Parcels")));
    Open();
    EXPECT_EQ(form.cboBufferLayer.Text(), "Streets");
    EXPECT_EQ(form.cboSearchField.ListIndex(), -1);
    EXPECT_EQ(form.List1.ListCount(), 0);
    EXPECT_EQ(gSearchFieldName, kParcelId);

    // Choosing a field stores it and lists its values.
    form.cboSearchField.ChooseItem(form.cboSearchField.IndexOf("STREET_NAME"));
    EXPECT_EQ(gSearchFieldName, "STREET_NAME");
    EXPECT_GT(form.List1.ListCount(), 0);
    EXPECT_EQ(form.List1.IndexOf("O'CONNELL ST") >= 0, true);
}

TEST_F(SettingsLoadTest, ChoosingNoneAsSearchFieldKeepsTheList) {
    WriteConfig(Config("Parcels", kParcelId, "Parcels"));
    frmMain& form = Open();
    const Items before = form.List1.Items();
    ASSERT_FALSE(before.empty());

    form.cboSearchField.ChooseItem(0);
    EXPECT_EQ(gSearchFieldName, "NONE");
    EXPECT_EQ(form.List1.Items(), before);

    form.cboSelectionLayer.ChooseItem(form.cboSelectionLayer.IndexOf("Hydrants"));
    EXPECT_EQ(gSelectionLayerName, "Hydrants");
    EXPECT_EQ(form.List1.Items(), before) << "the selection layer reloads nothing";
}

TEST_F(SettingsLoadTest, OnlyOneTicksTheExcludeBoxAndOnlyAClickChangesTheValue) {
    struct Case {
        const char* saved;
        int ticked;
    };
    for (const Case& c : {Case{"1", 1}, Case{"0", 0}, Case{"", 0}, Case{"yes", 0}, Case{" 1", 0}}) {
        WriteConfig({"NONE", "NONE", "NONE", "100", "NONE", c.saved, gDocumentsFolder});
        frmMain& form = Open();
        EXPECT_EQ(form.Check1.Value(), c.ticked) << c.saved;
        EXPECT_EQ(gExcludeBuffered, c.saved);
        Unload();
        EXPECT_EQ(ConfigText(), Saved({"NONE", "NONE", "NONE", "100", "NONE", c.saved, gDocumentsFolder}));
    }
    frmMain& form = Open();  // " 1" read back
    form.Check1.Press();
    EXPECT_EQ(gExcludeBuffered, "1");
    form.Check1.Press();
    EXPECT_EQ(gExcludeBuffered, "0");
}

TEST_F(SettingsLoadTest, TheFrameIsCentredWithHalvesRoundedToEven) {
    // The frame is the 422 by 350 window with its border and title: 423 by 377 pixels.
    struct Case {
        int screenWidth, screenHeight;
        long left, top;
    };
    const Case cases[] = {
        {1024, 768, 300, 196},   // 300.5 and 195.5
        {1920, 1080, 748, 352},  // 748.5 and 351.5
        {1025, 769, 301, 196},   // whole numbers
        {400, 300, -12, -38},    // a screen smaller than the window: -11.5 and -38.5
    };
    for (const Case& c : cases) {
        host::Screen::Instance().SetSizePixels(c.screenWidth, c.screenHeight);
        frmMain& form = Open();
        const host::HostFrame* frame = form.HostingFrame();
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->Width(), 423);
        EXPECT_EQ(frame->Height(), 377);
        EXPECT_EQ(frame->Left(), c.left) << c.screenWidth;
        EXPECT_EQ(frame->Top(), c.top) << c.screenHeight;
        Unload();
    }
}

TEST_F(SettingsLoadTest, UnreadableItemsKeepTheValuesTheyHad) {
    Open();
    Unload();
    // Loads without the click's repair, so a short or missing "config" reaches the load.
    struct Case {
        const char* what;
        const char* file;  // nullptr: no file
        Items expected;
    };
    const std::string folder = gDocumentsFolder;
    const Case cases[] = {
        {"three items", "\"Streets\"\r\n\"STREET_NAME\"\r\n\"Parcels\"\r\n",
         {"Streets", "STREET_NAME", "Parcels", "before", "before", "before", folder}},
        {"no file", nullptr, {"before", "before", "before", "before", "before", "before", folder}},
        {"empty file", "", {"before", "before", "before", "before", "before", "before", folder}},
    };
    for (const Case& c : cases) {
        for (std::string* value : {&gBufferLayerName, &gSearchFieldName, &gSelectionLayerName, &gBufferDistance,
                                   &gDocumentName, &gExcludeBuffered})
            *value = "before";
        fs::remove(Native(gConfigFilePath));
        if (c.file != nullptr) WriteBytes(Native(gConfigFilePath), c.file);
        gMainForm->Frame()->SetVisible(true);
        const Items values = {gBufferLayerName, gSearchFieldName, gSelectionLayerName, gBufferDistance,
                              gDocumentName,    gExcludeBuffered, gDocumentsFolder};
        EXPECT_EQ(values, c.expected) << c.what;
        EXPECT_TRUE(TakeMessages().empty()) << c.what;
        EXPECT_FALSE(host::FileChannels::Instance().IsOpen(1)) << c.what;
        Unload();
    }
}

TEST_F(SettingsLoadTest, AFailedSaveLeavesTheLastSavedFileWholeAndReportsNothing) {
    const Items saved = Config("Parcels", kParcelId, "Parcels");
    WriteConfig(saved);
    frmMain& form = Open();
    form.cboBufferLayer.ChooseItem(form.cboBufferLayer.IndexOf("Streets"));

    const fs::path config = Native(gConfigFilePath);
    host::FileSystem::SetReadOnly(gConfigFilePath, true);
    Unload();
    EXPECT_EQ(ConfigText(), Saved(saved));
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_FALSE(form.IsLoaded()) << "the unload is never refused";

    // A product folder that has gone: nothing to write into, nothing reported.
    host::FileSystem::SetReadOnly(gConfigFilePath, false);
    Open();
    fs::remove_all(config.parent_path());
    Unload();
    EXPECT_FALSE(fs::exists(config));
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(SettingsLoadTest, AMissingDocumentsFolderEndsTheLoadWithAReport) {
    const Items saved = {"Parcels", kParcelId, "Streets", "250", "Labels.doc", "1", "C:\\Nowhere\\"};
    WriteConfig(saved);
    frmMain& form = Open();

    const std::vector<std::string> shown = TakeMessages();
    ASSERT_EQ(shown.size(), 1u) << "the report, and no question";
    EXPECT_EQ(ReportedModules(shown)[0], "Form_Load frmMain ");
    EXPECT_EQ(ReportedErrors(shown)[0], 76);
    EXPECT_EQ(form.cboBufferLayer.List(0), "NONE");
    EXPECT_EQ(form.cboBufferLayer.ListIndex(), -1);
    EXPECT_EQ(form.cboSearchField.ListCount(), 0);
    EXPECT_EQ(form.cboSelectionLayer.ListIndex(), -1);
    EXPECT_EQ(form.List1.ListCount(), 0);
    EXPECT_EQ(form.txtBuffer.Text(), "100");
    EXPECT_EQ(form.Check1.Value(), 1);

    Unload();
    EXPECT_EQ(ConfigText(), Saved(saved)) << "every value as \"config\" gave it";
}

}  // namespace
