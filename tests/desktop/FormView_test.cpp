// The widgets of a form bound to the control model: a user's action goes into the model's
// calls and raises the form's events as the model defines them; a change in the model shows
// in the widget.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <string>
#include <vector>

#include "app/desktop/ControlBindings.h"
#include "app/desktop/FormView.h"
#include "app/desktop/WidgetLook.h"
#include "host/core/RuntimeError.h"
#include "host/forms/CheckBox.h"
#include "host/forms/ComboBox.h"
#include "host/forms/CommandButton.h"
#include "host/forms/DirListBox.h"
#include "host/forms/DriveListBox.h"
#include "host/forms/Form.h"
#include "host/forms/Frame.h"
#include "host/forms/Label.h"
#include "host/forms/ListBox.h"
#include "host/forms/OptionButton.h"
#include "host/forms/TextBox.h"
#include "tests/desktop/DesktopTest.h"

namespace desktop_test {
namespace {

using host::Pixels;

// A form with one control of each kind; its handlers write what they saw into a log.
class frmTest : public host::Form {
public:
    frmTest() : host::Form("frmTest") {
        SetSize(Pixels(320), Pixels(260));
        Frame1.SetCaption("Options");
        Frame1.Move(Pixels(150), Pixels(10), Pixels(160), Pixels(80));
        Option1.SetCaption("One");
        Option1.Move(Pixels(8), Pixels(20), Pixels(100), Pixels(20));
        Option2.SetCaption("Two");
        Option2.Move(Pixels(8), Pixels(44), Pixels(100), Pixels(20));
        Label1.SetCaption("A link");
        Label1.Move(Pixels(8), Pixels(8), Pixels(120), Pixels(17));
        Text1.Move(Pixels(8), Pixels(30), Pixels(120), Pixels(22));
        Combo1.Move(Pixels(8), Pixels(60), Pixels(120), Pixels(21));
        for (const char* entry : {"alpha", "beta", "gamma"}) Combo1.AddItem(entry);
        List1.Move(Pixels(8), Pixels(90), Pixels(120), Pixels(90));
        for (const char* entry : {"one", "two", "three", "four"}) List1.AddItem(entry);
        Check1.SetCaption("Tick");
        Check1.Move(Pixels(150), Pixels(100), Pixels(100), Pixels(20));
        btnOk.SetCaption("OK");
        btnOk.SetDefault(true);
        btnOk.Move(Pixels(150), Pixels(200), Pixels(70), Pixels(24));
        btnCancel.SetCaption("Cancel");
        btnCancel.SetCancel(true);
        btnCancel.Move(Pixels(230), Pixels(200), Pixels(70), Pixels(24));
        Drive1.Move(Pixels(150), Pixels(130), Pixels(100), Pixels(21));

        Label1.Click = [this] { log.push_back("Label1_Click"); };
        Text1.KeyPress = [this](int& key) {
            log.push_back("Text1_KeyPress " + std::to_string(key));
            if (key >= '0' && key <= '9') key = 0;  // no digits
        };
        Combo1.Click = [this] { log.push_back("Combo1_Click " + std::to_string(Combo1.ListIndex())); };
        List1.Click = [this] { log.push_back("List1_Click " + std::to_string(List1.ListIndex())); };
        Check1.Click = [this] { log.push_back("Check1_Click " + std::to_string(Check1.Value())); };
        Option1.Click = [this] { log.push_back("Option1_Click"); };
        Option2.Click = [this] { log.push_back("Option2_Click"); };
        btnOk.Click = [this] { log.push_back("btnOk_Click"); };
        btnCancel.Click = [this] {
            log.push_back("btnCancel_Click");
            host::Raise(host::err::InvalidProcedureCall);  // a handler that traps nothing
        };
        Drive1.Change = [this] { log.push_back("Drive1_Change " + Drive1.Drive()); };
    }

    host::Frame Frame1{*this, "Frame1"};
    host::OptionButton Option1{*this, "Option1", &Frame1};
    host::OptionButton Option2{*this, "Option2", &Frame1};
    host::Label Label1{*this, "Label1"};
    host::TextBox Text1{*this, "Text1"};
    host::ComboBox Combo1{*this, "Combo1"};
    host::ListBox List1{*this, "List1"};
    host::CheckBox Check1{*this, "Check1"};
    host::CommandButton btnOk{*this, "btnOk"};
    host::CommandButton btnCancel{*this, "btnCancel"};
    host::DriveListBox Drive1{*this, "Drive1"};

    std::vector<std::string> log;
};

class FormViewTest : public support::HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        form_ = std::make_shared<frmTest>();
        form_->Show();
        view_ = std::make_unique<desktop::FormView>(*form_);
        view_->show();
        Settle();
    }
    void TearDown() override {
        view_.reset();
        form_->Unload();
        form_.reset();
        HeadlessTest::TearDown();
    }

    template <class W>
    W* Widget(const char* name) const {
        auto* widget = qobject_cast<W*>(view_->WidgetFor(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    std::vector<std::string> TakeLog() { return std::exchange(form_->log, {}); }

    std::shared_ptr<frmTest> form_;
    std::unique_ptr<desktop::FormView> view_;
};

TEST_F(FormViewTest, TypedKeysGoThroughKeyPressAndTheModelEditsTheText) {
    struct Case {
        const char* start;
        std::function<void(QLineEdit*)> keys;
        const char* text;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"", [](QLineEdit* e) { QTest::keyClicks(e, "a1b"); }, "ab",
         {"Text1_KeyPress 97", "Text1_KeyPress 49", "Text1_KeyPress 98"}},
        {"abc", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_End); QTest::keyClick(e, Qt::Key_Backspace); }, "ab",
         {"Text1_KeyPress 8"}},
        {"abc", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_Home); QTest::keyClick(e, Qt::Key_Delete); }, "bc", {}},
        {"abc", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_End); QTest::keyClick(e, Qt::Key_Left); QTest::keyClicks(e, "x"); },
         "abxc", {"Text1_KeyPress 120"}},
        // A selection made in the widget is what the next key replaces.
        {"abcd", [](QLineEdit* e) { e->setSelection(1, 2); QTest::keyClicks(e, "Z"); }, "aZd", {"Text1_KeyPress 90"}},
        // A character outside the basic plane is one character of the model.
        {"a\xF0\x9F\x98\x80" "b", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_End); QTest::keyClick(e, Qt::Key_Left);
                                                      QTest::keyClick(e, Qt::Key_Backspace); }, "ab", {"Text1_KeyPress 8"}},
    };
    auto* edit = Widget<QLineEdit>("Text1");
    for (const Case& c : cases) {
        form_->Text1.SetText(c.start);
        view_->Flush();
        TakeLog();
        c.keys(edit);
        view_->Flush();
        EXPECT_EQ(form_->Text1.Text(), c.text) << c.start;
        EXPECT_EQ(edit->text().toStdString(), c.text) << c.start;
        EXPECT_EQ(TakeLog(), c.log) << c.start;
    }
}

TEST_F(FormViewTest, PasteAndCutEditThroughTheModel) {
    auto* edit = Widget<QLineEdit>("Text1");
    form_->Text1.SetText("hello");
    view_->Flush();
    edit->setSelection(0, 2);
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    view_->Flush();
    EXPECT_EQ(form_->Text1.Text(), "llo");
    EXPECT_EQ(QApplication::clipboard()->text(), "he");
    QApplication::clipboard()->setText("ye\nnext line");
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    view_->Flush();
    EXPECT_EQ(form_->Text1.Text(), "lloye") << "a one-line box takes the first line";
    EXPECT_TRUE(TakeLog().empty()) << "a paste raises no KeyPress";
}

TEST_F(FormViewTest, ListsAndPickersChooseThroughTheModel) {
    auto* combo = Widget<QComboBox>("Combo1");
    auto* list = Widget<QListWidget>("List1");
    ASSERT_EQ(combo->count(), 3);
    ASSERT_EQ(list->count(), 4);

    emit combo->activated(1);
    EXPECT_EQ(form_->Combo1.ListIndex(), 1);
    auto click = [&](int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    };
    click(2);
    click(2);  // the user's choice raises Click again for the same entry
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);  // already the last: nothing
    view_->Flush();
    EXPECT_EQ(list->currentRow(), 3);
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"Combo1_Click 1", "List1_Click 2", "List1_Click 2", "List1_Click 3"}));

    // Changes made by code show once the view flushes.
    form_->List1.AddItem("five");
    form_->List1.SetListIndex(-1);
    form_->Combo1.Clear();
    form_->Combo1.AddItem("only");
    view_->Flush();
    EXPECT_EQ(list->count(), 5);
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->currentIndex(), -1);
}

TEST_F(FormViewTest, ButtonsBoxesOptionsAndLabelsRaiseTheirClicks) {
    // On the box or the button itself, left of the caption.
    QTest::mouseClick(Widget<QCheckBox>("Check1"), Qt::LeftButton, {}, QPoint(6, 10));
    QTest::mouseClick(Widget<QRadioButton>("Option2"), Qt::LeftButton, {}, QPoint(6, 10));
    QTest::mouseClick(Widget<QRadioButton>("Option1"), Qt::LeftButton, {}, QPoint(6, 10));
    QTest::mouseClick(Widget<QLabel>("Label1"), Qt::LeftButton);
    QTest::mouseClick(Widget<QPushButton>("btnOk"), Qt::LeftButton);
    view_->Flush();
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"Check1_Click 1", "Option2_Click", "Option1_Click", "Label1_Click",
                                                   "btnOk_Click"}));
    EXPECT_TRUE(Widget<QCheckBox>("Check1")->isChecked());
    EXPECT_TRUE(Widget<QRadioButton>("Option1")->isChecked());
    EXPECT_FALSE(Widget<QRadioButton>("Option2")->isChecked()) << "the model clears the group";

    // Enter presses the default button and Escape the cancel button, from a text box too.
    QTest::keyClick(Widget<QLineEdit>("Text1"), Qt::Key_Return);
    QTest::keyClick(view_.get(), Qt::Key_Escape);
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"btnOk_Click", "btnCancel_Click"}));
    // The cancel handler's untrapped error is shown as the platform shows one, not thrown.
    ASSERT_EQ(Messages().Texts().size(), 1u);
    EXPECT_EQ(Messages().Texts()[0], "Run-time error '5':\n\nInvalid procedure call or argument");
}

TEST_F(FormViewTest, ModelStateShowsInTheWidgets) {
    form_->Label1.SetCaption("Changed");
    form_->Label1.SetForeColor(host::Rgb(0, 0, 192));
    form_->Label1.SetFont(host::Font{"MS Sans Serif", 9.75, true, false, true});
    form_->Text1.SetToolTipText("Type here");
    form_->Combo1.SetVisible(false);
    form_->btnOk.SetEnabled(false);
    form_->Frame1.SetCaption("Choices");
    form_->List1.Move(Pixels(10), Pixels(100), Pixels(50), Pixels(40));
    form_->Check1.SetValue(1);
    form_->Label1.SetMousePointer(99);
    // Nothing shows before the view brings the widgets up to date.
    EXPECT_EQ(Widget<QLabel>("Label1")->text(), "A link");
    view_->Flush();

    auto* label = Widget<QLabel>("Label1");
    EXPECT_EQ(label->text(), "Changed");
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    EXPECT_TRUE(label->font().bold());
    EXPECT_TRUE(label->font().underline());
    EXPECT_EQ(label->font().pixelSize(), 13);
    EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Widget<QLineEdit>("Text1")->toolTip(), "Type here");
    EXPECT_FALSE(Widget<QComboBox>("Combo1")->isVisible());
    EXPECT_FALSE(Widget<QPushButton>("btnOk")->isEnabled());
    EXPECT_EQ(Widget<QGroupBox>("Frame1")->title(), "Choices");
    EXPECT_EQ(Widget<QListWidget>("List1")->geometry(), QRect(10, 100, 50, 40));
    EXPECT_TRUE(Widget<QCheckBox>("Check1")->isChecked());
    EXPECT_EQ(Widget<QRadioButton>("Option1")->parentWidget(), Widget<QGroupBox>("Frame1"));

    // A hidden or disabled control cannot be used: its widget raises nothing.
    TakeLog();
    QTest::mouseClick(Widget<QPushButton>("btnOk"), Qt::LeftButton);
    EXPECT_TRUE(TakeLog().empty());

    // The form unloading puts the design back, and the widgets follow.
    form_->Unload();
    form_->Show();
    view_->Flush();
    EXPECT_EQ(Widget<QLabel>("Label1")->text(), "A link");
    EXPECT_TRUE(Widget<QComboBox>("Combo1")->isVisible());
}

TEST_F(FormViewTest, AFailingUserActionOnTheModelIsShownNotThrown) {
    MapDrive('D');
    form_->Drive1.Refresh();
    view_->Flush();
    auto* drives = Widget<QComboBox>("Drive1");
    ASSERT_EQ(drives->count(), 2);
    emit drives->activated(drives->findText("d:"));
    EXPECT_EQ(form_->Drive1.Drive(), "d:");
    host::DriveMap::Instance().Unmap('D');
    form_->Drive1.SetDrive("c:");
    emit drives->activated(1);  // d:, no longer mapped
    EXPECT_EQ(form_->Drive1.Drive(), "c:");
    ASSERT_EQ(Messages().Texts().size(), 1u);
    EXPECT_EQ(Messages().Texts()[0].rfind("Run-time error '68':", 0), 0u);

    // A detached view does nothing more, even for a widget event.
    view_->Detach();
    TakeLog();
    QTest::mouseClick(Widget<QLabel>("Label1"), Qt::LeftButton);
    EXPECT_TRUE(TakeLog().empty());
}

TEST(FormViewText, ModelCharactersAndQtPositionsConvertBothWays) {
    const QString text = QString::fromUtf8("a\xF0\x9F\x98\x80" "b\xC3\xA9");  // a, an emoji, b, é
    struct Case {
        long characters;
        int utf16;
    };
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{2, 3}, Case{3, 4}, Case{4, 5}}) {
        EXPECT_EQ(desktop::Utf16Position(text, c.characters), c.utf16) << c.characters;
        EXPECT_EQ(desktop::CharacterPosition(text, c.utf16), c.characters) << c.utf16;
    }
    EXPECT_EQ(desktop::Utf16Position(text, 99), text.size()) << "past the end stops at the end";
}

TEST(FormViewFolders, FolderListShowsAncestorsThenSubFolders) {
    struct Case {
        const char* folder;
        std::vector<std::string> subs;
        std::vector<std::string> paths;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {"C:\\", {"C:\\Program Files", "C:\\Users"}, {"C:\\", "C:\\Program Files", "C:\\Users"},
         {"C:\\", "  Program Files", "  Users"}},
        {"C:\\A\\B c", {"C:\\A\\B c\\x"}, {"C:\\", "C:\\A", "C:\\A\\B c", "C:\\A\\B c\\x"},
         {"C:\\", "  A", "    B c", "      x"}},
        {"", {}, {}, {}},
    };
    for (const Case& c : cases) {
        const std::vector<desktop::FolderRow> rows = desktop::FolderRows(c.folder, c.subs);
        std::vector<std::string> paths;
        std::vector<std::string> shown;
        for (const auto& row : rows) {
            paths.push_back(row.path.toStdString());
            shown.push_back(row.shown.toStdString());
        }
        EXPECT_EQ(paths, c.paths) << c.folder;
        EXPECT_EQ(shown, c.shown) << c.folder;
    }
}

}  // namespace
}  // namespace desktop_test

namespace desktop_test {
namespace {

TEST(WidgetLook, PointersFontsAndColoursAsTheModelGivesThem) {
    // The hand pointer of the windows is a cursor file with its own hot spot.
    const QCursor hand = desktop::PointerCursor(99, host::Picture::FromFile("hand.cur"));
    EXPECT_EQ(hand.shape(), Qt::BitmapCursor);
    EXPECT_FALSE(hand.pixmap().isNull());
    EXPECT_NE(hand.hotSpot(), QPoint(0, 0));
    EXPECT_EQ(desktop::PointerCursor(99, host::Picture::FromFile("no-such-pointer.cur")).shape(), Qt::PointingHandCursor);
    EXPECT_EQ(desktop::PointerCursor(11, {}).shape(), Qt::WaitCursor);

    // A cursor file's hot spot lies in its first entry; other bytes give none.
    QByteArray cursor(22, '\0');
    cursor[2] = 2;  // type: cursor
    cursor[4] = 1;  // one entry
    cursor[10] = 7;
    cursor[12] = 9;
    EXPECT_EQ(desktop::CursorHotSpot(cursor), QPoint(7, 9));
    QByteArray icon = cursor;
    icon[2] = 1;  // an icon file
    EXPECT_EQ(desktop::CursorHotSpot(icon), QPoint());
    EXPECT_EQ(desktop::CursorHotSpot(cursor.left(10)), QPoint());

    // Colours: red in the lowest byte; the platform's own colours keep the palette.
    EXPECT_EQ(desktop::ToQColor(host::Rgb(171, 181, 193)), QColor(171, 181, 193));
    EXPECT_FALSE(desktop::ToQColor(host::SystemDefault).isValid());
    EXPECT_FALSE(desktop::ToQColor(0x8000000Fu).isValid());
    // Points become pixels of the 96-dot-per-inch screen the layouts were made for.
    EXPECT_EQ(desktop::ToQFont(host::Font{}).pixelSize(), 11);
    EXPECT_EQ(desktop::ToQFont(host::Font{"MS Sans Serif", 9.75, false, false, false}).pixelSize(), 13);
}

}  // namespace
}  // namespace desktop_test
