// The list utilities (combo and array searches, removal of a combo item) and the host
// command identifiers.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extension/shared/ArcID.h"
#include "extension/shared/Tovalin_Controls.h"
#include "host/forms/ComboBox.h"
#include "host/forms/Form.h"

namespace {

using Items = std::vector<std::string>;

class ComboForm : public host::Form {
public:
    explicit ComboForm(const Items& items) : host::Form("frmCombo") {
        for (const std::string& item : items) Combo1.AddItem(item);
    }
    host::ComboBox Combo1{*this, "Combo1"};
};

TEST(ListUtilities, SearchesIgnoreCaseAndTakeTheFirstEqualItem) {
    const Items items = {"NONE", "Owner", "owner", "Zip Code", "ÉTAT", ""};
    ComboForm form(items);
    struct Case {
        std::string text;
        long expected;
    };
    const std::vector<Case> cases = {
        {"NONE", 0}, {"none", 0}, {"OWNER", 1}, {"owner", 1}, {"zip code", 3}, {"état", 4},
        {"", 5},     {"Zip", -1}, {"Zip Code ", -1}, {"Owners", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComboIndexOf(c.text, form.Combo1), c.expected) << "\"" << c.text << "\"";
        EXPECT_EQ(ComboContains(c.text, form.Combo1), c.expected >= 0) << "\"" << c.text << "\"";
        EXPECT_EQ(ArrayIndexOf(items, c.text), c.expected) << "\"" << c.text << "\"";
    }
}

TEST(ListUtilities, EmptyListsFindNothing) {
    ComboForm form({});
    EXPECT_EQ(ComboIndexOf("a", form.Combo1), -1);
    EXPECT_EQ(ComboIndexOf("", form.Combo1), -1);
    EXPECT_FALSE(ComboContains("a", form.Combo1));
    EXPECT_EQ(ArrayIndexOf({}, "a"), -1);
    EXPECT_EQ(ArrayIndexOf({}, ""), -1);
    RemoveComboItem(form.Combo1, "a");
    EXPECT_EQ(form.Combo1.ListCount(), 0);
}

TEST(ListUtilities, RemoveComboItemRemovesOnlyTheFirstEqualItem) {
    struct Case {
        std::string text;
        Items expected;
    };
    const std::vector<Case> cases = {
        {"owner", {"NONE", "Owner", "Zip"}},
        {"OWNER", {"NONE", "Owner", "Zip"}},
        {"zip", {"NONE", "OWNER", "Owner"}},
        {"City", {"NONE", "OWNER", "Owner", "Zip"}},
    };
    for (const Case& c : cases) {
        ComboForm form({"NONE", "OWNER", "Owner", "Zip"});
        RemoveComboItem(form.Combo1, c.text);
        EXPECT_EQ(form.Combo1.Items(), c.expected) << c.text;
    }
}

TEST(ListUtilities, RemovingTheChosenItemLeavesNoChoiceAndRaisesNoClick) {
    ComboForm form({"NONE", "Owner", "Zip"});
    form.Load();
    int clicks = 0;
    form.Combo1.Click = [&] { ++clicks; };
    form.Combo1.SetListIndex(1);
    ASSERT_EQ(clicks, 1);
    RemoveComboItem(form.Combo1, "OWNER");
    EXPECT_EQ(form.Combo1.Items(), (Items{"NONE", "Zip"}));
    EXPECT_EQ(form.Combo1.ListIndex(), -1);
    EXPECT_EQ(clicks, 1);
    form.Unload();
}

TEST(HostCommandIdentifiers, EachCallGivesANewObjectWithTheCommandsGuid) {
    const auto zoom1 = ArcID::ZoomToSelectedFeaturesUid();
    const auto zoom2 = ArcID::ZoomToSelectedFeaturesUid();
    EXPECT_EQ(zoom1->Value(), "{AB073B49-DE5E-11D1-AA80-00C04FA37860}");
    EXPECT_EQ(zoom2->Value(), zoom1->Value());
    EXPECT_FALSE(zoom1 == zoom2);
    zoom1->SetValue("changed");
    EXPECT_EQ(ArcID::ZoomToSelectedFeaturesUid()->Value(), "{AB073B49-DE5E-11D1-AA80-00C04FA37860}");

    const auto tool1 = ArcID::SelectElementsToolUid();
    const auto tool2 = ArcID::SelectElementsToolUid();
    EXPECT_EQ(tool1->Value(), "{C22579D1-BC17-11D0-8667-0000F8751720}");
    EXPECT_EQ(tool2->Value(), tool1->Value());
    EXPECT_FALSE(tool1 == tool2);
}

}  // namespace
