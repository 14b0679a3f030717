// Typing into a text box: KeyPress may cancel or change the key, the character goes in at
// the caret (replacing the selection), Backspace deletes before the caret, Change follows.

#include <gtest/gtest.h>

#include "tests/host/forms/FormsTest.h"
#include "tests/support/ErrorOf.h"

namespace forms_test {
namespace {

class TextBoxTest : public FormsTest {};

TEST_F(TextBoxTest, KeysGoInAtTheCaret) {
    struct Case {
        const char* what;
        std::string text;
        long selStart, selLength;
        std::string typed;
        std::function<void(host::TextBox&, int&)> keyPress;
        std::string expected;
        long caret;
        int changes;
    };
    auto cancelLetters = [](host::TextBox&, int& k) {
        if (k >= 'a' && k <= 'z') k = 0;
    };
    auto upper = [](host::TextBox&, int& k) {
        if (k >= 'a' && k <= 'z') k -= 32;
    };
    // Like the buffer-distance box: the handler drops leading zeros before the key goes in.
    auto dropZeros = [](host::TextBox& box, int&) {
        std::string t = box.Text();
        t.erase(0, t.find_first_not_of('0') == std::string::npos ? t.size() : t.find_first_not_of('0'));
        box.SetText(t);
    };
    std::vector<Case> cases = {
        {"insert in the middle", "15", 1, 0, "2", nullptr, "125", 2, 1},
        {"replace the selection", "12345", 1, 3, "x", nullptr, "1x5", 2, 1},
        {"cancelled keys change nothing", "12", 2, 0, "ab", cancelLetters, "12", 2, 0},
        {"the handler changes the key", "", 0, 0, "ab", upper, "AB", 2, 2},
        {"backspace before the caret", "123", 2, 0, "\b", nullptr, "13", 1, 1},
        {"backspace deletes the selection", "12345", 1, 2, "\b", nullptr, "145", 1, 1},
        {"control characters insert nothing", "12", 1, 0, "\r\x1b\x03\x16\x18", nullptr, "12", 1, 0},
        {"caret counts characters", "é1", 1, 0, "ü", nullptr, "éü1", 2, 1},
        {"a leading zero goes at the next key", "", 0, 0, "0.", dropZeros, ".", 1, 3},
    };
    for (auto& c : cases) {
        TestForm form;
        form.Text1.SetText(c.text);
        form.Show();
        form.Text1.SetSelStart(c.selStart);
        form.Text1.SetSelLength(c.selLength);
        int changes = 0;
        form.Text1.Change = [&] { ++changes; };
        if (c.keyPress) form.Text1.KeyPress = [&](int& k) { c.keyPress(form.Text1, k); };
        form.Text1.Type(c.typed);
        EXPECT_EQ(form.Text1.Text(), c.expected) << c.what;
        EXPECT_EQ(form.Text1.SelStart(), c.caret) << c.what;
        EXPECT_EQ(changes, c.changes) << c.what;
    }
}

TEST_F(TextBoxTest, SelectionBoundsAndOddInput) {
    TestForm form;
    form.Show();
    form.Text1.SetText(
        "ab\xff"
        "c");  // a stray byte is one character and is kept
    form.Text1.SetSelStart(1);
    form.Text1.SetSelLength(99);
    EXPECT_EQ(form.Text1.SelText(),
              "b\xff"
              "c");
    form.Text1.SetSelLength(1);
    form.Text1.PressDelete();  // Delete gives no KeyPress
    form.Text1.PressDelete();
    EXPECT_EQ(form.Text1.Text(), "ac");
    EXPECT_EQ(support::ErrorOf([&] { form.Text1.TypeChar(0xD800); }), 5);
    form.Text1.KeyPress = [](int& k) { k = -5; };
    EXPECT_EQ(support::ErrorOf([&] { form.Text1.TypeChar('a'); }), 5);
    EXPECT_EQ(form.Text1.Text(), "ac");
}

}  // namespace
}  // namespace forms_test
