// The documents list of the main window, its folder button and the question at load.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "extension/command/Globals.h"
#include "extension/export/frmSetDir.h"
#include "tests/extension/mainwindow/settings_fixture.h"

namespace {

namespace fs = std::filesystem;
using Items = std::vector<std::string>;

constexpr const char* kQuestion =
    "Your Labels and Reports directory has not been set.\r\nWould you like to do this now?";

class DocumentsTest : public support::MainWindowTest {
protected:
    // Makes a folder on C: holding these files and returns its drive path with a trailing
    // backslash.
    std::string MakeFolder(const std::string& name, const Items& files) const {
        const fs::path folder = Native("C:\\" + name);
        fs::create_directories(folder);
        for (const std::string& file : files) WriteBytes(folder / file, "doc");
        return "C:\\" + name + "\\";
    }
    // The dialog's driver: opens the folder (when one is given), then Save or Cancel.
    static std::function<void(host::Form&)> Choose(const std::string& folder, bool save) {
        return [folder, save](host::Form& form) {
            auto& dialog = dynamic_cast<frmSetDir&>(form);
            if (!folder.empty()) dialog.Dir1.SetPath(folder);
            (save ? dialog.btnSave : dialog.btnCancel).Press();
        };
    }
};

TEST_F(DocumentsTest, TheRefillShowsTheDocumentOfExactlyTheSavedName) {
    struct Case {
        const char* what;
        Items files;
        const char* documentName;
        Items listed;
        const char* shown;
    };
    const Items files = {"b.doc", "A.doc", "Export.txt", ".hidden"};
    const Items listed = {"A.doc", "b.doc", "Export.txt"};
    const Case cases[] = {
        {"exact name", files, "b.doc", listed, "b.doc"},
        {"name in another case", files, "B.DOC", listed, "A.doc"},
        {"NONE", files, "NONE", listed, "A.doc"},
        {"the export file", files, "Export.txt", listed, "Export.txt"},
        {"name with a trailing blank", files, "b.doc ", listed, "A.doc"},
        {"empty folder", {}, "b.doc", {}, ""},
        {"only hidden files", {".hidden"}, "b.doc", {}, ""},
    };
    frmMain& form = Open();
    int n = 0;
    for (const Case& c : cases) {
        gDocumentsFolder = MakeFolder("Docs" + std::to_string(++n), c.files);
        fs::create_directories(Native(gDocumentsFolder + "sub folder"));
        gDocumentName = c.documentName;
        form.RefillDocumentsList();
        EXPECT_EQ(form.cboDocs.Items(), c.listed) << c.what;
        EXPECT_EQ(form.cboDocs.Text(), c.shown) << c.what;
        EXPECT_EQ(gDocumentName, c.documentName) << c.what << ": the refill changes only the list";
    }
}

TEST_F(DocumentsTest, AChosenDocumentIsRememberedAndSaved) {
    AddDocument("Report.doc");
    frmMain& form = Open();
    ASSERT_EQ(form.cboDocs.Text(), "Labels.doc");
    EXPECT_EQ(gDocumentName, "NONE") << "shown first, not chosen";

    form.cboDocs.ChooseItem(form.cboDocs.IndexOf("Report.doc"));
    EXPECT_EQ(gDocumentName, "Report.doc");
    Unload();
    Open();
    EXPECT_EQ(form.cboDocs.Text(), "Report.doc");
    EXPECT_EQ(gDocumentName, "Report.doc");
}

TEST_F(DocumentsTest, SetDocumentsDirectoryStoresTheOpenFolderAndRefillsEitherWay) {
    frmMain& form = Open();
    MapDrive('D');
    const std::string other = MakeFolder("Other", {"Mailing.doc"});
    const std::string documents = gDocumentsFolder;

    // Cancel keeps the folder; documents added meanwhile show up all the same.
    OnDialog([&](host::Form& dialog) {
        AddDocument("New.doc");
        Choose(other, false)(dialog);
    });
    form.Command15.Press();
    EXPECT_EQ(gDocumentsFolder, documents);
    EXPECT_EQ(form.cboDocs.Items(), (Items{"Labels.doc", "New.doc"}));

    struct Case {
        const char* open;
        const char* stored;
    };
    const Case cases[] = {
        {"D:\\", "D:\\"},  // a drive root keeps its one backslash
        {"C:\\Other\\", "C:\\Other\\"},
        {"C:\\Other", "C:\\Other\\"},
    };
    for (const Case& c : cases) {
        OnDialog(Choose(c.open, true));
        form.Command15.Press();
        EXPECT_EQ(gDocumentsFolder, c.stored) << c.open;
    }
    EXPECT_EQ(form.cboDocs.Items(), Items{"Mailing.doc"});
    EXPECT_EQ(DialogsShown(), Items(4, "frmSetDir"));
    EXPECT_TRUE(TakeMessages().empty());

    Unload();
    EXPECT_NE(ConfigText().find("\"C:\\Other\\\"\r\n"), std::string::npos) << "saved with the settings";
}

TEST_F(DocumentsTest, AFolderThatHasGoneKeepsTheListAsItWas) {
    frmMain& form = Open();
    const Items before = form.cboDocs.Items();
    fs::remove_all(DocumentsFolder());
    OnDialog(Choose("", false));
    form.Command15.Press();
    const std::vector<std::string> shown = TakeMessages();
    // The dialog cannot open the folder either; then the refill fails.
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(ReportedModules(shown), (Items{"Form_Load frmLoadDir ", "Command15_Click frmMain "}));
    EXPECT_EQ(form.cboDocs.Items(), before);
    EXPECT_EQ(form.cboDocs.Text(), "Labels.doc");
}

TEST_F(DocumentsTest, AnEmptyDocumentsFolderIsQuestionedAtEveryLoad) {
    EmptyDocumentsFolder();
    const std::string filled = MakeFolder("Filled", {"Labels.doc"});

    // No: nothing more, the list stays empty; the next load asks again.
    frmMain& form = Open();
    EXPECT_EQ(TakeMessages(), Items{kQuestion});
    EXPECT_EQ(form.cboDocs.ListCount(), 0);
    EXPECT_TRUE(DialogsShown().empty());
    Unload();
    Open();
    EXPECT_EQ(TakeMessages(), Items{kQuestion});
    Unload();

    // Yes, then Cancel: the list is refilled from the same, still empty folder.
    Messages().QueueAnswer(host::MessageBoxAnswer::Yes);
    OnDialog(Choose(filled, false));
    Open();
    EXPECT_EQ(TakeMessages(), Items{kQuestion});
    EXPECT_EQ(DialogsShown(), Items{"frmSetDir"});
    EXPECT_EQ(form.cboDocs.ListCount(), 0);
    Unload();

    // Yes, then Save: the folder holds a document now; the next load asks nothing.
    Messages().QueueAnswer(host::MessageBoxAnswer::Yes);
    OnDialog(Choose(filled, true));
    Open();
    EXPECT_EQ(TakeMessages(), Items{kQuestion});
    EXPECT_EQ(form.cboDocs.Items(), Items{"Labels.doc"});
    EXPECT_EQ(gDocumentsFolder, filled);
    Unload();
    Open();
    EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
