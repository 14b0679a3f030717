// The widgets of a form bound to the control model: a user's action goes into the model's
// calls and raises the form's events as the model defines them; a change in the model shows
// in the widget once the view flushes.
#include <QLabel>

#include "app/desktop/ControlBindings.h"
#include "app/desktop/WidgetLook.h"
#include "host/core/RuntimeError.h"
#include "host/forms/Label.h"
#include "host/forms/TextBox.h"
#include "tests/desktop/DesktopTest.h"

namespace desktop_test {
namespace {

using host::Pixels;

// A form whose handlers write what they saw into a log.
class frmTest : public host::Form {
public:
    frmTest() : host::Form("frmTest") {
        SetSize(Pixels(320), Pixels(260));
        Label1.SetCaption("A link");
        Label1.Move(Pixels(8), Pixels(8), Pixels(120), Pixels(17));
        Text1.Move(Pixels(8), Pixels(30), Pixels(120), Pixels(22));
        btnOk.SetCaption("OK");
        btnOk.Move(Pixels(150), Pixels(200), Pixels(70), Pixels(24));
        Label1.Click = [this] { log.push_back("Label1_Click"); };
        Text1.KeyPress = [this](int& key) {
            log.push_back("Text1_KeyPress " + std::to_string(key));
            if (key >= '0' && key <= '9') key = 0;  // no digits
        };
        btnOk.Click = [this] {
            log.push_back("btnOk_Click");
            host::Raise(host::err::InvalidProcedureCall);  // a handler that traps nothing
        };
    }

    host::Label Label1{*this, "Label1"};
    host::TextBox Text1{*this, "Text1"};
    host::CommandButton btnOk{*this, "btnOk"};
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

    template <class W> W* Widget(const char* name) const {
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
        int from, length;  // the cursor or selection made in the widget, in UTF-16 units
        const char* keys;
        const char* text;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"", 0, 0, "a1b", "ab", {"Text1_KeyPress 97", "Text1_KeyPress 49", "Text1_KeyPress 98"}},
        // A selection made in the widget is what the next key replaces.
        {"abcd", 1, 2, "Z", "aZd", {"Text1_KeyPress 90"}},
        // A character outside the basic plane is one character of the model.
        {"a\xF0\x9F\x98\x80\x62", 3, 0, "\b", "ab", {"Text1_KeyPress 8"}},  // a, an emoji, b
    };
    auto* edit = Widget<QLineEdit>("Text1");
    for (const Case& c : cases) {
        form_->Text1.SetText(c.start);
        view_->Flush();
        TakeLog();
        edit->setCursorPosition(c.from);
        if (c.length > 0) edit->setSelection(c.from, c.length);
        QTest::keyClicks(edit, c.keys);
        view_->Flush();
        EXPECT_EQ(form_->Text1.Text(), c.text) << c.start;
        EXPECT_EQ(TakeLog(), c.log) << c.start;
    }
}

TEST_F(FormViewTest, ClicksReachTheModelOnlyWhileTheControlCanBeUsed) {
    // An untrapped error in a handler is shown as the platform shows one, not thrown.
    QTest::mouseClick(Widget<QPushButton>("btnOk"), Qt::LeftButton);
    EXPECT_EQ(TakeLog(), std::vector<std::string>{"btnOk_Click"});
    EXPECT_EQ(Messages().Texts(),
              std::vector<std::string>{"Run-time error '5':\n\nInvalid procedure call or argument"});

    // Changes made by code show only once the view flushes; a disabled button raises nothing.
    form_->Label1.SetCaption("Changed");
    form_->btnOk.SetEnabled(false);
    EXPECT_EQ(Widget<QLabel>("Label1")->text(), "A link");
    view_->Flush();
    EXPECT_EQ(Widget<QLabel>("Label1")->text(), "Changed");
    QTest::mouseClick(Widget<QPushButton>("btnOk"), Qt::LeftButton);
    EXPECT_TRUE(TakeLog().empty());

    // The form unloading puts the design back, and the widgets follow.
    form_->Unload();
    form_->Show();
    view_->Flush();
    EXPECT_TRUE(Widget<QPushButton>("btnOk")->isEnabled());

    // A detached view does nothing more, even for a widget event.
    view_->Detach();
    QTest::mouseClick(Widget<QLabel>("Label1"), Qt::LeftButton);
    EXPECT_TRUE(TakeLog().empty());
}

TEST(FormViewText, PositionsPastTheEndStopAtTheEnd) {
    const QString text = QString::fromUtf8("a\xF0\x9F\x98\x80\x62");  // a, an emoji, b
    EXPECT_EQ(desktop::Utf16Position(text, 99), text.size());
    EXPECT_EQ(desktop::CharacterPosition(text, 99), 3);
}

TEST(WidgetLook, PointersAndColoursAsTheModelGivesThem) {
    // The hand pointer of the windows is a cursor file with its own hot spot.
    const QCursor hand = desktop::PointerCursor(99, host::Picture::FromFile("hand.cur"));
    EXPECT_NE(hand.hotSpot(), QPoint(0, 0));
    EXPECT_EQ(desktop::PointerCursor(99, host::Picture::FromFile("no-such-pointer.cur")).shape(),
              Qt::PointingHandCursor);

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
}

}  // namespace
}  // namespace desktop_test
