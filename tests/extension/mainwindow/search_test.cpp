// The Go search over the search list and the buffer-distance box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "extension/command/Globals.h"
#include "host/carto/Map.h"
#include "host/carto/MxDocument.h"
#include "host/core/RuntimeError.h"
#include "host/platform/Screen.h"
#include "tests/extension/mainwindow/settings_fixture.h"

namespace {

using Items = std::vector<std::string>;

class SearchTest : public support::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        form_ = &Open();
        // Every click of the list records whether it would have run the pipeline.
        form_->List1.Click = [this] { clicks_.push_back(!gSuppressListClick); };
    }
    frmMain& Form() { return *form_; }
    void Fill(const Items& entries) {
        Form().List1.Clear();
        for (const std::string& entry : entries) Form().List1.AddItem(entry);
    }
    void Go(const std::string& text) {
        Form().txtSearch.SetText(text);
        Form().Command4.Press();
    }

    frmMain* form_ = nullptr;
    std::vector<bool> clicks_;  // true: a click that would have started the pipeline
};

TEST_F(SearchTest, GoHighlightsTheFirstSortedEntryThatBeginsWithTheTextIgnoringCase) {
    const Items entries = {"MAIN ST", "main street", "Maple", " 12 ELM", "10", "9", "GONZÁLEZ", "ÉCOLE"};
    struct Case {
        const char* search;
        const char* found;  // "" when nothing is highlighted
        const char* message;
    };
    const Case cases[] = {
        {"main", "MAIN ST", ""},           // two entries begin with it: the earlier in sorted order
        {"MAIN STR", "main street", ""},   // case ignored
        {"ma", "MAIN ST", ""},             // "MAIN ST" sorts before "Maple"
        {"map", "Maple", ""},
        {" ", " 12 ELM", ""},              // a blank is searched as it is
        {"1", "10", ""},                   // sorted as text: 10 before 9
        {"gonzá", "GONZÁLEZ", ""},         // accented letters compare without case
        {"école", "ÉCOLE", ""},
        {"MAIN STREETS", "", "No matching feature found"},  // longer than every entry
        {"12", "", "No matching feature found"},            // the blank counts
        {"", "", "Please enter text to search for"},
    };
    for (const Case& c : cases) {
        Fill(entries);
        clicks_.clear();
        Go(c.search);
        EXPECT_EQ(Form().List1.Text(), c.found) << '"' << c.search << '"';
        const std::vector<std::string> shown = TakeMessages();
        EXPECT_EQ(shown, std::string(c.message).empty() ? Items{} : Items{c.message}) << c.search;
        for (bool ranPipeline : clicks_) EXPECT_FALSE(ranPipeline) << c.search;
        EXPECT_FALSE(gSuppressListClick) << c.search;
        EXPECT_EQ(host::Screen::Instance().MousePointer(), host::pointer::Default) << c.search;
    }
}

TEST_F(SearchTest, GoOnAnEmptyListOrWithoutAMatchKeepsTheSelection) {
    Fill({});
    Go("a");
    EXPECT_EQ(TakeMessages(), Items{"No matching feature found"});

    Fill({"ALPHA", "BETA"});
    Form().List1.SetListIndex(1);
    clicks_.clear();
    Go("gamma");
    EXPECT_EQ(Form().List1.Text(), "BETA");
    EXPECT_TRUE(clicks_.empty());
    EXPECT_EQ(TakeMessages(), Items{"No matching feature found"});
}

TEST_F(SearchTest, GoOnlyHighlightsAndTheUsersNextChoiceRunsThePipeline) {
    // The real search list of the town: Go selects nothing on the map.
    Unload();
    WriteConfig({"Parcels", kParcelId, "Parcels", "100", "NONE", "0", gDocumentsFolder});
    Open();
    Form().List1.Click = [this] { clicks_.push_back(!gSuppressListClick); };
    ASSERT_GT(Form().List1.ListCount(), 0);
    const std::string distance = gBufferDistance;

    Go("1-");
    const long first = Form().List1.ListIndex();
    ASSERT_GE(first, 0);
    EXPECT_EQ(Form().List1.Text().rfind("1-", 0), 0u);
    Go("1-");
    EXPECT_EQ(Form().List1.ListIndex(), first) << "every Go starts from the first entry";
    EXPECT_EQ(gMxDocument->FocusMap()->SelectionCount(), 0);
    EXPECT_EQ(Form().txtCount.Caption(), "0");
    EXPECT_EQ(gBufferDistance, distance);
    EXPECT_EQ(clicks_, std::vector<bool>{false});

    Form().List1.ChooseItem(first + 1);
    EXPECT_EQ(clicks_, (std::vector<bool>{false, true}));
}

TEST_F(SearchTest, AFailureDuringGoClearsTheFlagAndThePointer) {
    Fill({"ALPHA", "BETA"});
    Form().List1.Click = [] { host::Raise(host::err::PermissionDenied); };
    Go("b");
    const std::vector<std::string> shown = TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(ReportedModules(shown)[0], "Command4_Click frmMain ");
    EXPECT_EQ(ReportedErrors(shown)[0], 70);
    EXPECT_FALSE(gSuppressListClick);
    EXPECT_EQ(host::Screen::Instance().MousePointer(), host::pointer::Default);
}

TEST_F(SearchTest, TheDistanceBoxTakesOnlyTheCharactersOfADecimalNumber) {
    struct Case {
        const char* text;
        long selStart, selLength;
        int key;
        int keyAfter;  // 0: refused
        const char* textAfter;
    };
    const Case cases[] = {
        {"100", 3, 0, '5', '5', "100"},
        {"100", 3, 0, 'a', 0, "100"},
        {"100", 3, 0, ' ', 0, "100"},
        {"100", 3, 0, ',', 0, "100"},
        {"100", 3, 0, '+', 0, "100"},
        {"100", 3, 0, 'e', 0, "100"},
        {"100", 3, 0, 233, 0, "100"},  // é
        {"100", 3, 0, 13, 0, "100"},   // Enter
        {"100", 3, 0, 27, 0, "100"},   // Escape
        {"100", 3, 0, 3, 0, "100"},    // copy
        {"100", 3, 0, 22, 0, "100"},   // paste
        {"100", 3, 0, 24, 0, "100"},   // cut
        {"100", 3, 0, 8, 8, "100"},    // Backspace
        {"100", 3, 0, '.', '.', "100"},
        {"1.5", 3, 0, '.', 0, "1.5"},  // a second point
        {"1.5", 1, 1, '.', 0, "1.5"},  // also when the first is selected for replacement
        {"", 0, 0, '-', '-', ""},
        {"-", 0, 0, '-', '-', "-"},    // at position 0, any number of times
        {"-", 1, 0, '-', 0, "-"},
        {"5", 1, 0, '-', 0, "5"},
        {"5", 0, 1, '-', '-', "5"},    // the caret is the selection's start
        // Leading zeros go before the key lands; the caret keeps its distance from the end.
        {"0", 1, 0, '7', '7', ""},
        {"0", 1, 0, '.', '.', ""},
        {"0", 1, 0, 'x', 0, ""},       // refused keys strip too
        {"0", 0, 0, '-', '-', ""},
    };
    for (const Case& c : cases) {
        Form().txtBuffer.SetText(c.text);
        Form().txtBuffer.SetSelStart(c.selStart);
        Form().txtBuffer.SetSelLength(c.selLength);
        int key = c.key;
        Form().txtBuffer_KeyPress(key);
        EXPECT_EQ(key, c.keyAfter) << c.text << " + " << c.key;
        EXPECT_EQ(Form().txtBuffer.Text(), c.textAfter) << c.text << " + " << c.key;
    }
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(SearchTest, TypedKeysLandWhereTheUserAimedAfterLeadingZerosGo) {
    struct Case {
        const char* pasted;  // put in as a paste does, unfiltered
        long selStart, selLength;
        const char* typed;
        const char* result;
    };
    const Case cases[] = {
        {"", 0, 0, "07", "7"},
        {"", 0, 0, "0.5", ".5"},
        {"0", 1, 0, "5", "5"},        // the box left empty shows "0"; typing 5 gives 5
        {"007", 3, 0, "1", "71"},     // caret at the end stays at the end
        {"0123", 2, 0, "9", "1923"},  // "01|23": the key goes between 1 and 23
        {"05", 0, 2, "7", "7"},       // all selected: the key replaces what is left
        {"0012", 0, 0, "-", "-12"},
        {"12", 2, 0, "-3.5.", "123.5"},
    };
    for (const Case& c : cases) {
        Form().txtBuffer.SetText(c.pasted);
        Form().txtBuffer.SetFocus();
        Form().txtBuffer.SetSelStart(c.selStart);
        Form().txtBuffer.SetSelLength(c.selLength);
        Form().txtBuffer.Type(c.typed);
        EXPECT_EQ(Form().txtBuffer.Text(), c.result) << c.pasted << " + " << c.typed;
    }
}

TEST_F(SearchTest, LeavingTheDistanceBoxEmptyPutsZero) {
    struct Case {
        const char* text;
        const char* after;
    };
    for (const Case& c : {Case{"", "0"}, Case{"  ", "  "}, Case{"-", "-"}, Case{"12", "12"}}) {
        Form().txtBuffer.SetText(c.text);
        Form().txtBuffer.SetFocus();
        Form().txtBuffer.LoseFocus();
        EXPECT_EQ(Form().txtBuffer.Text(), c.after) << '"' << c.text << '"';
    }
}

}  // namespace
