// The Go search over the search list and the buffer-distance box.
#include "host/core/RuntimeError.h"
#include "host/platform/Screen.h"
#include "tests/extension/command/CommandFixture.h"

namespace {

class SearchTest : public support::CommandTest {
protected:
    void SetUp() override {
        CommandTest::SetUp();
        OpenTown();
        form_ = &Open();
        // Each click of the list records whether it would have started the pipeline.
        form_->List1.Click = [this] { clicks_.push_back(!gSuppressListClick); };
    }
    frmMain* form_ = nullptr;
    std::vector<bool> clicks_;
};

TEST_F(SearchTest, GoHighlightsTheFirstSortedEntryBeginningWithTheTextIgnoringCase) {
    const struct {
        const char *search, *found, *message;
    } cases[] = {
        {"main", "MAIN ST", ""},  // two begin with it: the earlier in sorted order
        {"MAIN STR", "main street", ""},
        {"1", "10", ""},                                   // sorted as text: 10 before 9
        {"łódź", "ŁÓDŹ ŠΩ", ""},                           // upper-casing knows every script
        {"LODZ", "ŁÓDŹ ŠΩ", "No matching feature found"},  // accents count
        {"gonzá", "GONZÁLEZ", ""},
        // Without a match the highlighted entry stays.
        {"MAIN STREETS", "GONZÁLEZ", "No matching feature found"},
        {"12", "GONZÁLEZ", "No matching feature found"},
        {"", "GONZÁLEZ", "Please enter text to search for"},
    };
    for (const char* entry : {"main street", "MAIN ST", "Maple", " 12 ELM", "9", "10", "GONZÁLEZ", "ŁÓDŹ ŠΩ"})
        form_->List1.AddItem(entry);
    for (const auto& c : cases) {
        form_->txtSearch.SetText(c.search);
        form_->Command4.Press();
        EXPECT_EQ(form_->List1.Text(), c.found) << c.search;
        EXPECT_EQ(TakeMessages(), *c.message ? Items{c.message} : Items{}) << c.search;
        EXPECT_FALSE(gSuppressListClick) << c.search;
    }
    EXPECT_EQ(clicks_, std::vector<bool>(5, false)) << "no highlight starts the pipeline";
    form_->List1.ChooseItem(0);
    ASSERT_FALSE(clicks_.empty());
    EXPECT_EQ(clicks_.back(), true) << "the user's next choice does";

    // A failure on the way out still clears the flag and the pointer.
    form_->List1.Click = [] { host::Raise(host::err::PermissionDenied); };
    form_->txtSearch.SetText("ma");
    form_->Command4.Press();
    EXPECT_EQ(ReportedErrors(TakeMessages()), std::vector<long>{70});
    EXPECT_FALSE(gSuppressListClick);
    EXPECT_EQ(host::Screen::Instance().MousePointer(), host::pointer::Default);
}

TEST_F(SearchTest, TheDistanceBoxTakesOnlyTheKeysOfADecimalNumber) {
    // The text, the selection's start and length, the keys typed, the text afterwards.
    const struct {
        const char* text;
        long selStart, selLength;
        const char *typed, *result;
    } cases[] = {
        {"100", 3, 0, "a ,+e\r\x1b\x03\x16\x18", "100"},  // letters, blank, comma, Enter, Escape, copy, paste, cut
        {"1.5", 3, 0, ".", "1.5"},                        // a second point...
        {"1.5", 1, 2, ".", "1.5"},                        // ...also when the first is selected
        {"-", 0, 0, "-", "--"},                           // a minus at position 0, there any number of times
        {"5", 1, 0, "-", "5"},
        {"", 0, 0, "0.5", ".5"},      // leading zeros go as the next key arrives
        {"0123", 2, 0, "9", "1923"},  // the caret keeps its distance from the end
        {"05", 0, 2, "7", "7"},       // all selected: the key replaces what is left
    };
    for (const auto& c : cases) {
        form_->txtBuffer.SetText(c.text);
        form_->txtBuffer.SetFocus();
        form_->txtBuffer.SetSelStart(c.selStart);
        form_->txtBuffer.SetSelLength(c.selLength);
        form_->txtBuffer.Type(c.typed);
        EXPECT_EQ(form_->txtBuffer.Text(), c.result) << c.text << " + " << c.typed;
    }
    // Leaving the box empty puts a zero in it; a blank stays.
    for (const char* text : {"", " "}) {
        form_->txtBuffer.SetText(text);
        form_->txtBuffer.SetFocus();
        form_->txtBuffer.LoseFocus();
        EXPECT_EQ(form_->txtBuffer.Text(), *text ? text : "0");
    }
}

}  // namespace
