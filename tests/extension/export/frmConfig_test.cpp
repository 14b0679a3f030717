// The field configuration dialog and the Configure button: what the dialog lists and
// restores, what Save writes, Cancel, a failed Save, and no selection layer.
#include "extension/export/frmConfig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extension/command/Corvane.h"
#include "extension/command/Globals.h"
#include "extension/mainwindow/frmMain.h"
#include "host/carto/Map.h"
#include "host/carto/MxDocument.h"
#include "host/data/Field.h"
#include "host/platform/FileSystem.h"
#include "tests/extension/export/ExportFixture.h"

namespace {

using host::FieldType::String;

const std::vector<std::string> kEntries = {"NONE", "OBJECTID", "PARCEL_ID", "OWNER_NAME", "CO_OWNER", "CITY"};

std::vector<std::string> NonePairs(std::size_t fromSlot) {
    std::vector<std::string> items;
    for (std::size_t slot = fromSlot; slot < kExportFieldSlotCount; ++slot) {
        items.emplace_back("NONE");
        items.push_back("NONE" + std::string(kExportFieldSlotKeys[slot]));
    }
    return items;
}

std::vector<std::string> Join(std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

class FrmConfigTest : public export_test::ExportTest {
protected:
    void SetUp() override {
        ExportTest::SetUp();
        parcels_ = AddLayer("Parcels",
                            {{"PARCEL_ID", String}, {"OWNER_NAME", String}, {"CO_OWNER", String}, {"CITY", String}},
                            {{"1-1", "SMITH"}, {"1-2", "JONES"}});
    }

    // The "fields" file as items, read back.
    static std::string FieldsText() { return FileText(gFieldsFilePath); }
    static std::string ItemsOf(const std::vector<std::string>& items) {
        std::string text;
        for (const std::string& item : items) text += "\"" + item + "\"\r\n";
        return text;
    }

    static frmConfig& AsConfig(host::Form& form) { return dynamic_cast<frmConfig&>(form); }
    static std::vector<std::string> SlotTexts(frmConfig& dialog) {
        std::vector<std::string> texts;
        for (host::ComboBox* combo : dialog.SlotCombos()) texts.push_back(combo->Text());
        return texts;
    }
    static void Choose(host::ComboBox& combo, const std::string& entry) { combo.ChooseItem(combo.IndexOf(entry)); }
    long SelectionCount() const { return gMxDocument->FocusMap()->SelectionCount(); }

    host::Ref<host::FeatureLayer> parcels_;
};

TEST_F(FrmConfigTest, SaveWritesEachSlotsChoiceThenItsKeyAndReopeningRestoresThem) {
    frmMain& main = OpenMainWindow({"Labels.fodt"}, "Parcels");
    Select(parcels_, {1, 2});
    ASSERT_EQ(FieldsText(), ItemsOf({"XPARCELIDX", "NONE", "XNAMEAX", "NONE", "XNAMEBX", "NONE", "XADDRESSAX",
                                     "NONE", "XADDRESSBX", "NONE", "XCITYX", "NONE", "XSTATEX", "NONE", "XZIPX",
                                     "NONE"}))
        << "the click gave \"fields\" its defaults";

    bool shownWhileOpen = true;
    DriveDialogs([&](host::Form& form) {
        frmConfig& dialog = AsConfig(form);
        shownWhileOpen = MainWindowShown();
        EXPECT_EQ(dialog.Caption(), "Corvane - Configure");
        for (host::ComboBox* combo : dialog.SlotCombos()) {
            EXPECT_EQ(combo->Items(), kEntries) << combo->Name();
            EXPECT_EQ(combo->Text(), "NONE") << "the defaults show NONE in " << combo->Name();
            const bool narrow = combo == &dialog.cboCity || combo == &dialog.cboState || combo == &dialog.cboZip;
            EXPECT_EQ(combo->DroppedWidth(), narrow ? 180 : 0) << combo->Name();
        }
        Choose(dialog.cboParcelID, "PARCEL_ID");
        Choose(dialog.cboNameA, "OWNER_NAME");
        Choose(dialog.cboNameB, "OWNER_NAME");  // one field for two slots: each writes it
        Choose(dialog.cboCity, "CITY");
        dialog.PressEnter();  // Save is the default button
    });
    main.Command8.Press();
    EXPECT_FALSE(shownWhileOpen) << "the main window is hidden while the dialog is open";
    EXPECT_EQ(FieldsText(), ItemsOf(Join({"PARCEL_ID", "XPARCELIDX", "OWNER_NAME", "XNAMEAX", "OWNER_NAME", "XNAMEBX",
                                          "NONE", "NONEXADDRESSAX", "NONE", "NONEXADDRESSBX", "CITY", "XCITYX"},
                                         NonePairs(6))));
    EXPECT_EQ(SelectionCount(), 0) << "Save clears the map's selection";
    EXPECT_TRUE(MainWindowShown());
    EXPECT_EQ(host::Form::FindLoaded("frmConfig"), nullptr);
    EXPECT_TRUE(TakeMessages().empty());

    // Reopened: the saved choices; Cancel after a change writes nothing and keeps the
    // selection.
    const std::string saved = FieldsText();
    Select(parcels_, {2});
    std::vector<std::string> restored;
    DriveDialogs([&](host::Form& form) {
        frmConfig& dialog = AsConfig(form);
        restored = SlotTexts(dialog);
        Choose(dialog.cboZip, "PARCEL_ID");
        dialog.Command2.Press();
    });
    main.Command8.Press();
    EXPECT_EQ(restored, (std::vector<std::string>{"PARCEL_ID", "OWNER_NAME", "OWNER_NAME", "NONE", "NONE", "CITY",
                                                  "NONE", "NONE"}));
    EXPECT_EQ(FieldsText(), saved);
    EXPECT_EQ(SelectionCount(), 1);
    EXPECT_TRUE(MainWindowShown());
    EXPECT_EQ(DialogsShown(), std::vector<std::string>{"frmConfig"});
}

TEST_F(FrmConfigTest, OpeningRestoresWhateverTheFileHolds) {
    frmMain& main = OpenMainWindow({"Labels.fodt"}, "Parcels");
    struct Case {
        const char* what;
        std::optional<std::vector<std::string>> items;  // nothing: no file
        std::vector<std::string> texts;
    };
    const std::vector<std::string> none(8, "NONE");
    const std::vector<std::string> nothing(8, "");
    const std::vector<Case> cases = {
        {"a name in other letter case chooses the layer's entry",
         Join({"parcel_id", "XPARCELIDX"}, NonePairs(1)), Join({"PARCEL_ID"}, std::vector<std::string>(7, "NONE"))},
        {"a field the layer no longer has chooses nothing", Join({"GONE", "XPARCELIDX"}, NonePairs(1)),
         Join({""}, std::vector<std::string>(7, "NONE"))},
        {"a short file: the slots without items choose nothing", std::vector<std::string>{"PARCEL_ID", "XPARCELIDX", "NONE"},
         Join({"PARCEL_ID", "NONE"}, std::vector<std::string>(6, ""))},
        {"more than sixteen items: the first sixteen decide",
         Join(NonePairs(0), {"PARCEL_ID", "XPARCELIDX"}), none},
        {"no file", std::nullopt, nothing},
        {"an empty file", std::vector<std::string>{}, nothing},
        {"the second item decides when both name entries", Join({"CITY", "owner_name"}, NonePairs(1)),
         Join({"OWNER_NAME"}, std::vector<std::string>(7, "NONE"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.items)
            WriteFieldsItems(*c.items);
        else
            host::FileSystem::DeleteFile(gFieldsFilePath);
        const std::string before = FileText(gFieldsFilePath);
        std::vector<std::string> texts;
        DriveDialogs([&](host::Form& form) {
            texts = SlotTexts(AsConfig(form));
            AsConfig(form).Command2.Press();
        });
        main.Command8.Press();
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ(FileText(gFieldsFilePath), before);
        EXPECT_TRUE(TakeMessages().empty());
        EXPECT_TRUE(MainWindowShown());
    }
}

TEST_F(FrmConfigTest, WithoutASelectionLayerTheDialogIsRefusedOrOpensEmpty) {
    frmMain& main = OpenMainWindow({"Labels.fodt"}, "");
    ASSERT_EQ(gSelectionLayerName, "NONE");
    DriveDialogs([](host::Form& form) { AsConfig(form).btnClose.Press(); });
    main.Command8.Press();
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Please choose a Selection Layer before configuring field output"});
    EXPECT_TRUE(DialogsShown().empty());
    EXPECT_TRUE(MainWindowShown());

    // Any other text opens the dialog; a layer the map lacks leaves every slot empty, and
    // Save writes the empty text and the key for each.
    Select(parcels_, {1});
    for (const std::string name : {"none", "Gone"}) {
        gSelectionLayerName = name;
        std::size_t entries = 99;
        DriveDialogs([&](host::Form& form) {
            entries = 0;
            for (host::ComboBox* combo : AsConfig(form).SlotCombos()) entries += combo->Items().size();
            AsConfig(form).btnClose.Press();
        });
        main.Command8.Press();
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Can't find layer: " + name});
        EXPECT_EQ(entries, 0u);
        std::vector<std::string> items;
        for (std::string_view key : kExportFieldSlotKeys) {
            items.emplace_back("");
            items.emplace_back(key);
        }
        EXPECT_EQ(FieldsText(), ItemsOf(items));
        EXPECT_EQ(SelectionCount(), 0);
        EXPECT_TRUE(MainWindowShown());
    }
}

TEST_F(FrmConfigTest, AFailedSaveKeepsTheOldFileAndTheDialogOpen) {
    frmMain& main = OpenMainWindow({"Labels.fodt"}, "Parcels");
    Select(parcels_, {1});
    const std::string before = FieldsText();
    host::FileSystem::SetReadOnly(gFieldsFilePath, true);
    bool openAfterSave = false;
    bool shownAfterSave = true;
    DriveDialogs([&](host::Form& form) {
        frmConfig& dialog = AsConfig(form);
        Choose(dialog.cboParcelID, "PARCEL_ID");
        dialog.btnClose.Press();
        openAfterSave = dialog.IsOpen();
        shownAfterSave = MainWindowShown();
        dialog.Command2.Press();
    });
    main.Command8.Press();
    host::FileSystem::SetReadOnly(gFieldsFilePath, false);
    EXPECT_TRUE(openAfterSave);
    EXPECT_FALSE(shownAfterSave);
    EXPECT_EQ(ReportedErrors(TakeMessages()), std::vector<long>{70});
    EXPECT_EQ(FieldsText(), before);
    EXPECT_EQ(SelectionCount(), 1);
    EXPECT_TRUE(MainWindowShown());

    // Closed otherwise than by Save or Cancel: nothing written, the main window back.
    DriveDialogs([](host::Form& form) { form.Unload(); });
    main.Command8.Press();
    EXPECT_EQ(FieldsText(), before);
    EXPECT_TRUE(MainWindowShown());
}

TEST_F(FrmConfigTest, TheLinkOpensTheMakersPage) {
    frmMain& main = OpenMainWindow({"Labels.fodt"}, "Parcels");
    DriveDialogs([](host::Form& form) {
        frmConfig& dialog = AsConfig(form);
        EXPECT_EQ(dialog.Label12.Caption(), kMakerWebAddress);
        dialog.Label12.Press();
        EXPECT_TRUE(dialog.IsOpen());
        dialog.Command2.Press();
    });
    main.Command8.Press();
    ASSERT_EQ(ShellRequests().Requests().size(), 1u);
    const host::ShellRequest& request = ShellRequests().Requests()[0];
    EXPECT_EQ(request.verb, "Open");
    EXPECT_EQ(request.file, kMakerWebAddress);
    EXPECT_EQ(request.parameters, std::optional<std::string>(""));
    EXPECT_EQ(request.folder, "");
}

}  // namespace
