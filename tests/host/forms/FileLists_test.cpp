// The file, folder and drive lists over drives mapped to temporary folders.

#include <gtest/gtest.h>

#include "host/forms/DirListBox.h"
#include "host/forms/DriveListBox.h"
#include "host/forms/FileListBox.h"
#include "host/platform/DriveMap.h"
#include "tests/host/forms/FormsTest.h"
#include "tests/support/ErrorOf.h"

namespace forms_test {
namespace {

namespace fs = std::filesystem;
using support::ErrorOf;
using Items = std::vector<std::string>;

class FolderForm : public host::Form {
public:
    FolderForm() : host::Form("frmSetDir") {
        Drive1.Change = [this] { log.push_back("Drive1_Change " + Drive1.Drive()); };
        Dir1.Change = [this] { log.push_back("Dir1_Change " + Dir1.Path()); };
    }
    std::vector<std::string> log;
    host::DriveListBox Drive1{*this, "Drive1"};
    host::DirListBox Dir1{*this, "Dir1"};
    host::FileListBox File1{*this, "File1"};
};

class FileListsTest : public FormsTest {};

// A value given to a list, the error it raises, the list's value after it and the events.
struct Step {
    std::string value;
    long error;
    std::string after;
    Items log;
};

TEST_F(FileListsTest, FileListShowsVisibleFilesByNameIgnoringCase) {
    fs::path docs = Native("C:\\Docs");
    fs::create_directories(docs / "Sub folder");
    for (const char* name : {"b.doc", "A.doc", ".hidden", "a2.doc", "10.txt", "9.txt", "é.doc"})
        WriteBytes(docs / name, "x");
    FolderForm form;
    form.File1.SetPath("c:\\docs\\..\\Docs\\");
    EXPECT_EQ(form.File1.Path(), "C:\\Docs");
    EXPECT_EQ(form.File1.Items(), (Items{"10.txt", "9.txt", "A.doc", "a2.doc", "b.doc", "é.doc"}));

    // A folder that does not exist, or a bad name, raises and leaves the list as it was.
    EXPECT_EQ(ErrorOf([&] { form.File1.SetPath("C:\\Missing"); }), 76);
    EXPECT_EQ(ErrorOf([&] { form.File1.SetPath("C:\\a|b"); }), 52);
    EXPECT_EQ(form.File1.ListCount(), 6);
}

TEST_F(FileListsTest, FolderListRaisesChangeOnEveryChange) {
    MapDrive('D');
    fs::create_directories(Native("C:\\Program Files\\Tovalin"));
    fs::create_directories(Native("C:\\Program Files\\.cache"));
    fs::create_directories(Native("D:\\work"));
    host::DriveMap::Instance().SetCurrentFolder("C:\\Program Files");
    FolderForm form;
    form.Show();  // opens the current folder without raising Change
    EXPECT_EQ(form.Dir1.Items(), (Items{"C:\\Program Files\\Tovalin"}));
    EXPECT_TRUE(form.log.empty());

    std::vector<Step> steps = {
        {"C:\\Program Files\\Tovalin\\", 0, "C:\\Program Files\\Tovalin", {"Dir1_Change C:\\Program Files\\Tovalin"}},
        {"c:\\program files\\tovalin", 76, "C:\\Program Files\\Tovalin", {}},  // names keep their case here
        {"C:\\Program Files\\Tovalin", 0, "C:\\Program Files\\Tovalin", {}},   // the same folder: no Change
        {"..", 0, "C:\\", {"Dir1_Change C:\\"}},                            // relative to the process's current folder
        {"d:", 0, "D:\\", {"Dir1_Change D:\\"}},                            // another drive: its root
        {"c:", 0, "C:\\Program Files", {"Dir1_Change C:\\Program Files"}},  // the current folder's drive
        {"E:", 68, "C:\\Program Files", {}},
    };
    for (const Step& s : steps) {
        form.log.clear();
        EXPECT_EQ(ErrorOf([&] { form.Dir1.SetPath(s.value); }), s.error) << s.value;
        EXPECT_EQ(form.Dir1.Path(), s.after) << s.value;
        EXPECT_EQ(form.log, s.log) << s.value;
    }
}

TEST_F(FileListsTest, DriveListShowsTheMappedDrives) {
    MapDrive('Z');
    MapDrive('D');
    FolderForm form;
    form.Load();
    EXPECT_EQ(form.Drive1.Items(), (Items{"c:", "d:", "z:"}));
    const std::vector<Step> steps = {
        {"D:\\work", 0, "d:", {"Drive1_Change d:"}}, {"q:", 68, "d:", {}}, {"", 5, "d:", {}}};
    for (const Step& s : steps) {
        form.log.clear();
        EXPECT_EQ(ErrorOf([&] { form.Drive1.SetDrive(s.value); }), s.error) << s.value;
        EXPECT_EQ(form.Drive1.Drive(), s.after) << s.value;
        EXPECT_EQ(form.log, s.log) << s.value;
    }
}

TEST_F(FileListsTest, ListsOfAFormLoadedAgainStartFromTheCurrentFolder) {
    fs::create_directories(Native("C:\\one"));
    fs::create_directories(Native("C:\\two"));
    WriteBytes(Native("C:\\two\\t.txt"), "x");
    host::DriveMap::Instance().SetCurrentFolder("C:\\one");
    FolderForm form;
    form.Load();
    form.Dir1.SetPath("C:\\two");
    form.File1.SetPath(form.Dir1.Path());
    EXPECT_EQ(form.File1.Items(), (Items{"t.txt"}));
    form.Unload();
    form.Load();
    EXPECT_EQ(form.Dir1.Path(), "C:\\one");
    EXPECT_TRUE(form.File1.Items().empty());
}

}  // namespace
}  // namespace forms_test
