// Synchronous events: a setter raises its event before it returns, nested events run
// inside the handler that caused them, and nothing is raised while the form is designed.

#include <gtest/gtest.h>

#include "tests/host/forms/FormsTest.h"
#include "tests/support/ErrorOf.h"

namespace forms_test {
namespace {

using Log = std::vector<std::string>;
using support::ErrorOf;

class EventsTest : public FormsTest {};

TEST_F(EventsTest, DesignRaisesNothingAndLoadingRaisesLoadOnce) {
    TestForm form;
    form.Combo1.AddItem("a");
    form.Combo1.SetListIndex(0);  // still design, as the constructor's Text1, Option1, ...: no Click
    form.Show();
    form.Load();
    form.Show();
    EXPECT_EQ(form.log, (Log{"Form_Load"}));
}

TEST_F(EventsTest, ClickNestedInAnotherHandlerRunsBeforeTheSetterReturns) {
    TestForm form;
    form.Show();
    for (const char* item : {"Parcels", "Owners"}) form.Combo1.AddItem(item);
    for (const char* item : {"x", "y"}) form.List1.AddItem(item);
    // Choosing in the combo selects in the list from its handler, which raises the list's
    // Click nested; the outer handler then sees the list's new state.
    form.Combo1.Click = [&] {
        form.log.push_back("Combo1_Click begin");
        form.List1.SetListIndex(1);
        form.log.push_back("Combo1_Click end " + form.List1.Text());
    };
    form.log.clear();
    form.Combo1.SetListIndex(1);
    form.log.push_back("after");
    EXPECT_EQ(form.log, (Log{"Combo1_Click begin", "List1_Click y", "Combo1_Click end y", "after"}));
}

TEST_F(EventsTest, ListSelectionFromCodeAndByTheUser) {
    TestForm form;
    form.Show();
    for (const char* item : {"b", "a", "c"}) form.List1.AddItem(item);
    const auto heard = [&](const char* what, const Log& expected) {
        EXPECT_EQ(form.log, expected) << what;
        form.log.clear();
    };
    form.log.clear();
    form.List1.SetListIndex(2);
    heard("select from code", {"List1_Click c"});
    form.List1.SetListIndex(2);
    heard("the same index again", {});
    form.List1.ChooseItem(2);
    heard("the user chooses the chosen entry", {"List1_Click c"});
    form.List1.SetListIndex(-1);
    heard("clear the selection from code", {"List1_Click "});
    form.List1.AddItem("d");
    form.List1.RemoveItem(0);
    form.List1.Clear();
    heard("add, remove and clear raise nothing", {});
}

TEST_F(EventsTest, ButtonsClickOnAChangeAndDefaultAndCancelAreOnePerForm) {
    TestForm form;
    form.Command1.SetDefault(true);
    form.Command2.SetDefault(true);  // takes the role from Command1
    form.Command1.SetCancel(true);
    form.Command2.Click = [&] { form.log.push_back("Command2_Click"); };
    form.Show();
    form.log.clear();
    form.Check1.SetValue(1);
    form.Check1.SetValue(1);      // no change, no Click
    form.Check1.Press();          // the user's click toggles
    form.Option2.Press();         // selects Option2, clears Option1 in the same frame
    form.Option3.SetValue(true);  // another container: Option2 stays selected
    form.Option2.SetValue(true);  // already selected: no Click
    form.PressEnter();
    form.PressEscape();
    form.Command2.SetEnabled(false);
    form.PressEnter();  // a disabled default button is not pressed
    EXPECT_EQ(form.log, (Log{"Check1_Click 1", "Check1_Click 0", "Option2_Click", "Command2_Click", "Command1_Click"}));
    EXPECT_FALSE(form.Option1.Value());
    EXPECT_TRUE(form.Option2.Value());
    EXPECT_EQ(ErrorOf([&] { form.Check1.SetValue(2); }), 380);
}

TEST_F(EventsTest, UserActionsNeedAControlTheUserCanReach) {
    TestForm form;
    form.Combo1.AddItem("a");
    const auto choose = [&](const char* what, long error) {
        form.log.clear();
        EXPECT_EQ(ErrorOf([&] { form.Combo1.ChooseItem(0); }), error) << what;
        EXPECT_EQ(form.log.size(), error == 0 ? 1u : 0u) << what;
    };
    form.Load();
    form.Hide();
    choose("form not shown", 5);
    form.Show();
    choose("shown", 0);
    form.Frame1.SetVisible(false);
    choose("its frame hidden", 5);
    form.Frame1.SetVisible(true);
    form.Frame1.SetEnabled(false);
    choose("its frame disabled", 5);
    form.Frame1.SetEnabled(true);
    form.Combo1.SetVisible(false);
    choose("itself hidden", 5);
    // Code may still change a hidden control, and its event is raised.
    form.Combo1.SetListIndex(-1);
    EXPECT_EQ(form.log, (Log{"Combo1_Click "}));
}

TEST_F(EventsTest, FocusMovesRaiseLostFocus) {
    TestForm form;
    host::TextBox other{form, "Text2"};
    int lost = 0;
    form.Text1.LostFocus = [&] { ++lost; };
    form.Show();
    form.Text1.SetFocus();
    other.SetFocus();
    EXPECT_EQ(lost, 1);
    form.Text1.LoseFocus();  // the script's "leave": raised even without the focus
    EXPECT_EQ(lost, 2);
}

TEST_F(EventsTest, ObserversHearChangesAndMayRemoveThemselves) {
    TestForm form;
    int heard = 0, alsoHeard = 0;
    long id = 0;
    id = form.Combo1.Changed.Add([&] {
        ++heard;
        form.Combo1.Changed.Remove(id);
    });
    form.Combo1.Changed.Add([&] { ++alsoHeard; });
    form.Combo1.AddItem("a");
    form.Combo1.AddItem("b");
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(alsoHeard, 2);
}

}  // namespace
}  // namespace forms_test
