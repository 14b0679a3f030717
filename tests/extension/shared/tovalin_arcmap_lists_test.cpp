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
    ComboForm empty({});
    const std::vector<std::pair<std::string, long>> cases = {
        {"none", 0}, {"OWNER", 1}, {"owner", 1}, {"zip code", 3}, {"état", 4},
        {"", 5},     {"Zip", -1},  {"Zip Code ", -1},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ComboIndexOf(text, form.Combo1), expected) << "\"" << text << "\"";
        EXPECT_EQ(ComboContains(text, form.Combo1), expected >= 0) << "\"" << text << "\"";
        EXPECT_EQ(ArrayIndexOf(items, text), expected) << "\"" << text << "\"";
        EXPECT_EQ(ComboIndexOf(text, empty.Combo1), -1);
        EXPECT_EQ(ArrayIndexOf({}, text), -1);
    }
}

TEST(ListUtilities, RemoveComboItemRemovesOnlyTheFirstEqualItem) {
    const std::vector<std::pair<std::string, Items>> cases = {
        {"owner", {"NONE", "Owner", "Zip"}},
        {"zip", {"NONE", "OWNER", "Owner"}},
        {"City", {"NONE", "OWNER", "Owner", "Zip"}},
    };
    for (const auto& [text, expected] : cases) {
        ComboForm form({"NONE", "OWNER", "Owner", "Zip"});
        RemoveComboItem(form.Combo1, text);
        EXPECT_EQ(form.Combo1.Items(), expected) << text;
    }
}

}  // namespace
