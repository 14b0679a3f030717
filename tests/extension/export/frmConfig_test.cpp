// The Configure button and the field configuration dialog: what Save writes, what opening
// restores, Cancel, a failed Save, and no selection layer.
#include "extension/export/frmConfig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extension/command/Globals.h"
#include "host/carto/Map.h"
#include "host/carto/MxDocument.h"
#include "host/platform/FileSystem.h"
#include "tests/extension/command/CommandFixture.h"

namespace {

using Texts = std::vector<std::string>;

Texts Join(Texts head, const Texts& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}
// The items of "fields" for the slots from `from` on, all set to NONE by the dialog.
Texts NoneFrom(std::size_t from) {
    Texts items;
    for (std::size_t slot = from; slot < kExportFieldSlotCount; ++slot)
        items.insert(items.end(), {"NONE", "NONE" + std::string(kExportFieldSlotKeys[slot])});
    return items;
}

class FrmConfigTest : public support::CommandTest {
protected:
    void SetUp() override {
        CommandTest::SetUp();
        CreateCommand();
        parcels_ = AddLayer("Parcels", {"PARCEL_ID", "OWNER"}, {{"1-1", "SMITH"}, {"1-2", "JONES"}});
        AddDocument("Labels.fodt");
        main_ = &Open("Parcels");
        Select(parcels_, {1, 2});
    }
    // Opens the dialog from Configure; the driver gets it with the slot texts it opened with.
    Texts Configure(const std::function<void(frmConfig&)>& act) {
        Texts opened;
        DriveDialogs([&](host::Form& form) {
            auto& dialog = dynamic_cast<frmConfig&>(form);
            for (host::ComboBox* combo : dialog.SlotCombos()) opened.push_back(combo->Text());
            EXPECT_FALSE(gMainForm->Frame()->Visible()) << "hidden while the dialog is open";
            act(dialog);
        });
        main_->Command8.Press();
        return opened;
    }
    static void Choose(host::ComboBox& combo, const std::string& entry) { combo.ChooseItem(combo.IndexOf(entry)); }
    static long Selected() { return gMxDocument->FocusMap()->SelectionCount(); }

    host::Ref<host::FeatureLayer> parcels_;
    frmMain* main_ = nullptr;
};

TEST_F(FrmConfigTest, OpeningChoosesWhatTheFileNamesAndCancelWritesNothing) {
    // A short file leaves the slots it lacks empty; an empty list stands for no file.
    const std::vector<std::pair<Texts, Texts>> cases = {
        {Join({"parcel_id", "XPARCELIDX"}, NoneFrom(1)), Join({"PARCEL_ID"}, Texts(7, "NONE"))},
        {Join({"GONE", "XPARCELIDX"}, NoneFrom(1)), Join({""}, Texts(7, "NONE"))},
        {Texts{"PARCEL_ID", "XPARCELIDX", "NONE"}, Join({"PARCEL_ID", "NONE"}, Texts(6, ""))},
        {Texts{}, Texts(8, "")},
    };
    for (const auto& [items, opened] : cases) {
        if (items.empty())
            host::FileSystem::DeleteFile(gFieldsFilePath);
        else
            WriteItems(gFieldsFilePath, items);
        EXPECT_EQ(Configure([](frmConfig& dialog) {
                      Choose(dialog.cboZip, "OWNER");
                      dialog.Command2.Press();
                  }),
                  opened);
        EXPECT_EQ(FileText(gFieldsFilePath), items.empty() ? "(missing)" : support::ItemsText(items));
    }
    EXPECT_EQ(Selected(), 2) << "Cancel keeps the selection";

    gSelectionLayerName = "NONE";  // no selection layer: the dialog is refused
    Configure([](frmConfig&) { ADD_FAILURE() << "the dialog opened"; });
    EXPECT_EQ(TakeMessages(), Texts{"Please choose a Selection Layer before configuring field output"});
}

TEST_F(FrmConfigTest, AFailedSaveKeepsTheOldFileAndTheDialogOpen) {
    const std::string before = FileText(gFieldsFilePath);
    host::FileSystem::SetReadOnly(gFieldsFilePath, true);
    bool openAfterSave = false;
    Configure([&](frmConfig& dialog) {
        Choose(dialog.cboParcelID, "PARCEL_ID");
        dialog.btnClose.Press();
        openAfterSave = dialog.IsOpen() && !gMainForm->Frame()->Visible();
        dialog.Unload();  // closed by the window's own close box
    });
    host::FileSystem::SetReadOnly(gFieldsFilePath, false);
    EXPECT_TRUE(openAfterSave);
    EXPECT_EQ(ReportedErrors(TakeMessages()), std::vector<long>{70});
    EXPECT_EQ(FileText(gFieldsFilePath), before);
    EXPECT_EQ(Selected(), 2);
}

}  // namespace
