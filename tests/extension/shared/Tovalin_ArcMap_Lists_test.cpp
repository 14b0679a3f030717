// The list utilities: combo and array searches, removal of a combo item.

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    const Items items = {"NONE", "Owner", "owner", "ÉTAT", ""};
    ComboForm form(items);
    const std::vector<std::pair<std::string, long>> cases = {{"OWNER", 1}, {"état", 3}, {"", 4}, {"Owner ", -1}};
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ComboIndexOf(text, form.Combo1), expected) << "\"" << text << "\"";
        EXPECT_EQ(ComboContains(text, form.Combo1), expected >= 0) << "\"" << text << "\"";
        EXPECT_EQ(ArrayIndexOf(items, text), expected) << "\"" << text << "\"";
    }
    RemoveComboItem(form.Combo1, "OWNER");
    EXPECT_EQ(form.Combo1.Items(), (Items{"NONE", "owner", "ÉTAT", ""})) << "only the first equal item goes";
    RemoveComboItem(form.Combo1, "City");
    EXPECT_EQ(form.Combo1.ListCount(), 4);
}

}  // namespace
