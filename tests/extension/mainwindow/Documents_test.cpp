// The documents list, its folder button and the question at load.
#include <filesystem>
#include <functional>

#include "extension/export/frmSetDir.h"
#include "tests/extension/command/CommandFixture.h"

namespace {

class DocumentsTest : public support::CommandTest {
protected:
    void SetUp() override {
        CommandTest::SetUp();
        OpenTown();
    }
    // The dialog's driver: opens the folder (when one is given), then Save or Cancel.
    void Answer(const std::string& folder, bool save, std::function<void()> meanwhile = {}) {
        dialogs_->SetDriver([=](host::Form& form) {
            auto& dialog = dynamic_cast<frmSetDir&>(form);
            if (meanwhile) meanwhile();
            if (!folder.empty()) dialog.Dir1.SetPath(folder);
            (save ? dialog.btnSave : dialog.btnCancel).Press();
        });
    }
};

TEST_F(DocumentsTest, TheRefillShowsTheDocumentOfExactlyTheSavedNameAndAChoiceIsKept) {
    for (const char* file : {"b.doc", "A.doc", "Export.txt", ".hidden"}) AddDocument(file);
    std::filesystem::create_directories(Native(gDocumentsFolder + "sub"));
    frmMain& form = Open();
    for (const auto& [saved, shown] : {std::pair{"b.doc", "b.doc"}, {"B.DOC", "A.doc"}, {"NONE", "A.doc"}}) {
        gDocumentName = saved;
        form.RefillDocumentsList();
        EXPECT_EQ(form.cboDocs.Items(), (Items{"A.doc", "b.doc", "Export.txt", "Labels.doc"}));
        EXPECT_EQ(form.cboDocs.Text(), shown) << saved;
        EXPECT_EQ(gDocumentName, saved) << "the refill changes only the list";
    }
    form.cboDocs.ChooseItem(form.cboDocs.IndexOf("Export.txt"));
    EXPECT_EQ(gDocumentName, "Export.txt") << "a user's choice is remembered at once";
}

TEST_F(DocumentsTest, SetDocumentsDirectoryStoresTheOpenFolderAndRefillsEitherWay) {
    frmMain& form = Open();
    MapDrive('D');
    std::filesystem::create_directories(Native("C:\\Other"));
    WriteBytes(Native("C:\\Other\\Mailing.doc"), "doc");
    const std::string documents = gDocumentsFolder;
    Answer("C:\\Other", false, [this] { AddDocument("New.doc"); });
    form.Command15.Press();
    EXPECT_EQ(gDocumentsFolder, documents) << "Cancel stores nothing";
    EXPECT_EQ(form.cboDocs.Items(), (Items{"Labels.doc", "New.doc"})) << "but the list is read again";

    for (const auto& [open, stored] : {std::pair{"D:\\", "D:\\"}, {"C:\\Other", "C:\\Other\\"}}) {
        Answer(open, true);
        form.Command15.Press();
        EXPECT_EQ(gDocumentsFolder, stored) << open;
    }
    EXPECT_EQ(form.cboDocs.Items(), Items{"Mailing.doc"});

    std::filesystem::remove_all(Native("C:\\Other"));  // a folder that has gone: the list stays as it was
    Answer("", false);
    form.Command15.Press();
    EXPECT_EQ(ReportModules(), (Items{"Form_Load frmLoadDir ", "Command15_Click frmMain "}));
    EXPECT_EQ(form.cboDocs.Text(), "Mailing.doc");
}

TEST_F(DocumentsTest, AnEmptyDocumentsFolderIsQuestionedAtEveryLoad) {
    std::filesystem::remove(Native(gDocumentsFolder + "Labels.doc"));
    const Items question = {"Your Labels and Reports directory has not been set.\r\nWould you like to do this now?"};
    EXPECT_EQ(Open().cboDocs.ListCount(), 0);
    EXPECT_EQ(TakeMessages(), question) << "No: nothing more";
    gMainForm->Unload();

    Messages().QueueAnswer(host::MessageBoxAnswer::Yes);
    Answer("", false, [this] { AddDocument("Late.doc"); });
    EXPECT_EQ(Open().cboDocs.Items(), Items{"Late.doc"}) << "Yes, then Cancel: refilled all the same";
    EXPECT_EQ(TakeMessages(), question);
    EXPECT_EQ(dialogs_->Shown(), Items{"frmSetDir"});
}

}  // namespace
