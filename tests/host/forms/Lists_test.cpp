// Combo and list boxes: the entries, the chosen index as entries come and go, the sorted
// list's order and the errors for indexes out of range.

#include <gtest/gtest.h>

#include "tests/host/forms/FormsTest.h"
#include "tests/support/ErrorOf.h"

namespace forms_test {
namespace {

using support::ErrorOf;
using Items = std::vector<std::string>;

class ListsTest : public FormsTest {};

TEST_F(ListsTest, SortedListKeepsAscendingOrderIgnoringCase) {
    struct Case {
        const char* what;
        Items added;
        Items expected;
    };
    std::vector<Case> cases = {
        {"case is ignored", {"b", "C", "a", "B"}, {"a", "b", "B", "C"}},
        {"blanks and punctuation by code", {"b", " z", "-a", "a b"}, {" z", "-a", "a b", "b"}},
        {"accented capitals fold too", {"Ézé", "éza", "ez"}, {"ez", "éza", "Ézé"}},
        {"accents beside their base letter", {"Zoo", "ä", "b", "a", "Ä"}, {"a", "ä", "Ä", "b", "Zoo"}},
    };
    for (auto& c : cases) {
        TestForm form;
        for (std::size_t i = 0; i < c.added.size(); ++i)
            form.List1.AddItem(c.added[i], i % 2 == 0 ? -1 : 0);  // index ignored
        EXPECT_EQ(form.List1.Items(), c.expected) << c.what;
    }
}

TEST_F(ListsTest, AddingManyEntriesAtOncePlacesThemAsOneByOne) {
    for (bool sorted : {true, false}) {
        TestForm form;
        host::ListBox one{form, "List2"}, many{form, "List3"};
        one.SetSorted(sorted);
        many.SetSorted(sorted);
        for (host::ListBox* list : {&one, &many}) {
            for (const char* item : {"m", "B", "x"}) list->AddItem(item);
            list->SetListIndex(1);
        }
        const Items added = {"b", "a", "M", "", "é", "z", "B"};
        for (const auto& item : added) one.AddItem(item);
        many.AddItems(added);
        EXPECT_EQ(many.Items(), one.Items()) << sorted;
        EXPECT_EQ(many.Text(), one.Text()) << sorted;
        EXPECT_EQ(many.ListIndex(), one.ListIndex()) << sorted;
    }
}

TEST_F(ListsTest, SortingAFilledListOrdersItAndDropsTheChoice) {
    TestForm form;
    host::ListBox plain{form, "List2"};
    for (const char* item : {"b", "a", "B"}) plain.AddItem(item);
    plain.SetListIndex(0);
    plain.SetSorted(true);
    EXPECT_EQ(plain.Items(), (Items{"a", "b", "B"}));
    EXPECT_EQ(plain.ListIndex(), -1);
}

TEST_F(ListsTest, ChosenEntryFollowsInsertionsAndRemovals) {
    TestForm form;
    auto& combo = form.Combo1;
    for (const char* item : {"a", "b", "c"}) combo.AddItem(item);
    combo.SetListIndex(1);
    combo.AddItem("NONE", 0);
    EXPECT_EQ(combo.ListIndex(), 2);
    combo.AddItem("z");
    combo.RemoveItem(0);
    EXPECT_EQ(combo.Text(), "b");
    combo.RemoveItem(1);
    EXPECT_EQ(combo.ListIndex(), -1);
}

TEST_F(ListsTest, IndexesOutOfRangeRaise) {
    TestForm form;
    form.Show();
    auto& combo = form.Combo1;
    combo.AddItem("a");
    struct Case {
        const char* what;
        std::function<void()> act;
        long error;
    };
    std::vector<Case> cases = {
        {"List(count)", [&] { (void)combo.List(1); }, 381},
        {"ListIndex below -1", [&] { combo.SetListIndex(-2); }, 380},
        {"AddItem past the end", [&] { combo.AddItem("x", 2); }, 5},
        {"AddItem at the end", [&] { combo.AddItem("x", 1); }, 0},
        {"RemoveItem(count)", [&] { combo.RemoveItem(2); }, 5},
        {"choose nothing", [&] { combo.ChooseItem(-1); }, 380},
        {"negative dropped width", [&] { combo.SetDroppedWidth(-1); }, 380},
    };
    for (auto& c : cases) EXPECT_EQ(ErrorOf(c.act), c.error) << c.what;
    EXPECT_EQ(combo.Items(), (Items{"a", "x"}));
}

TEST_F(ListsTest, ComboTextChoosesTheFirstEntryIgnoringCase) {
    TestForm form;
    form.Show();
    for (const char* item : {"NONE", "Owner", "OWNER"}) form.Combo1.AddItem(item);
    form.log.clear();
    form.Combo1.SetText("owner");
    EXPECT_EQ(form.Combo1.ListIndex(), 1);
    EXPECT_EQ(form.log, (std::vector<std::string>{"Combo1_Click Owner"}));
    EXPECT_EQ(ErrorOf([&] { form.Combo1.SetText("Owners"); }), 383);
    EXPECT_EQ(form.Combo1.IndexOf("owner"), -1);  // an exact match
}

}  // namespace
}  // namespace forms_test
