#include "app/script/ScriptLanguage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace script {
namespace {

using Words = std::vector<std::string>;

TEST(ScriptLanguage, SplitsWordsQuotesAndComments) {
    struct Case {
        std::string line;
        Words words;
    };
    const Case cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"# only a comment", {}},
        {"start", {"start"}},
        {"  click   Tovalin_Corvane  ", {"click", "Tovalin_Corvane"}},
        {"type frmMain.txtSearch \"MAIN ST\"", {"type", "frmMain.txtSearch", "MAIN ST"}},
        {"settext f.c \"say \"\"hi\"\"\"", {"settext", "f.c", "say \"hi\""}},
        {"settext f.c \"\"", {"settext", "f.c", ""}},
        {"settext f.c \"\"\"\"", {"settext", "f.c", "\""}},
        {"choose f.c \"a # b\" # the rest is a comment", {"choose", "f.c", "a # b"}},
        {"choose f.c x# comment glued on", {"choose", "f.c", "x"}},
        {"drive C: \"/tmp/with blank\"", {"drive", "C:", "/tmp/with blank"}},
        {"type f.c \"tab\there\"", {"type", "f.c", "tab\there"}},
        {"\"quoted command\"", {"quoted command"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitWords(c.line), c.words) << c.line;
}

TEST(ScriptLanguage, RejectsBrokenQuotes) {
    const char* bad[] = {
        "type f.c \"never closed",
        "type f.c \"closed\"glued",
        "type f.c O\"BRIEN",
        "\"",
    };
    for (const char* line : bad) EXPECT_THROW(SplitWords(line), ScriptError) << line;
}

TEST(ScriptLanguage, ParsesLinesWithTheirNumbers) {
    auto lines = ParseScript("# header\r\nstart\r\n\r\nclick A\nprint \"x y\"\rend");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].number, 2);
    EXPECT_EQ(lines[0].words, Words{"start"});
    EXPECT_EQ(lines[1].number, 4);
    EXPECT_EQ(lines[2].number, 5);
    EXPECT_EQ(lines[2].words, (Words{"print", "x y"}));
    EXPECT_EQ(lines[3].number, 6);
    EXPECT_TRUE(ParseScript("").empty());
    EXPECT_TRUE(ParseScript("\n\n").empty());

    try {
        ParseScript("start\nclick \"open");
        FAIL() << "no error";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.Line(), 2);
        EXPECT_STREQ(e.what(), "a double quote is not closed");
    }
}

TEST(ScriptLanguage, OutputTextStaysOnOneLine) {
    EXPECT_EQ(OneLine("a\r\nb\nc\rd"), "a\\nb\\nc\\nd");
    EXPECT_EQ(OneLine("C:\\Program Files\\"), "C:\\Program Files\\");
    EXPECT_EQ(Quoted("say \"hi\"\r\n"), "\"say \"\"hi\"\"\\n\"");
    EXPECT_EQ(Quoted(""), "\"\"");
}

TEST(ScriptLanguage, NumbersReadAndPrintExactly) {
    EXPECT_EQ(NumberText(5), "5");
    EXPECT_EQ(NumberText(-0.0), "0");
    EXPECT_EQ(NumberText(2.5), "2.5");
    EXPECT_EQ(NumberText(0.1), "0.1");
    EXPECT_EQ(NumberText(1e21), "1e+21");
    EXPECT_EQ(ParseNumber("+10", "x"), 10);
    EXPECT_EQ(ParseNumber("-0.25", "x"), -0.25);
    EXPECT_EQ(ParseInteger("16711680", "x"), 16711680);
    for (const char* bad : {"", "1,5", "ten", "1e", "nan", "inf", "5 "})
        EXPECT_THROW(ParseNumber(bad, "x"), ScriptError) << bad;
    for (const char* bad : {"", "1.5", "x", "99999999999999999999999"})
        EXPECT_THROW(ParseInteger(bad, "x"), ScriptError) << bad;
}

}  // namespace
}  // namespace script
