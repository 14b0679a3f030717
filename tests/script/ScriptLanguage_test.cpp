#include "app/script/ScriptLanguage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace script {
namespace {

using Words = std::vector<std::string>;

TEST(ScriptLanguage, SplitsWordsQuotesAndComments) {
    const std::vector<std::pair<std::string, Words>> cases = {
        {"   \t # only a comment", {}},
        {"  click   Tovalin_Corvane  ", {"click", "Tovalin_Corvane"}},
        {"settext f.c \"say \"\"hi\"\"\"", {"settext", "f.c", "say \"hi\""}},
        {"settext f.c \"\"", {"settext", "f.c", ""}},
        {"choose f.c \"a # b\" # the rest is a comment", {"choose", "f.c", "a # b"}},
        {"choose f.c x# comment glued on", {"choose", "f.c", "x"}},
        {"\"quoted command\"", {"quoted command"}},
    };
    for (const auto& [line, words] : cases) EXPECT_EQ(SplitWords(line), words) << line;
    for (const char* bad : {"type f.c \"never closed", "type f.c \"closed\"glued", "type f.c O\"BRIEN", "\""})
        EXPECT_THROW(SplitWords(bad), ScriptError) << bad;
}

TEST(ScriptLanguage, ParsesLinesWithTheirNumbers) {
    auto lines = ParseScript("# header\r\nstart\r\n\r\nclick A\nprint \"x y\"\rend");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2].words, (Words{"print", "x y"}));
    EXPECT_EQ((std::vector<int>{lines[0].number, lines[1].number, lines[2].number, lines[3].number}),
              (std::vector<int>{2, 4, 5, 6}));
    // A byte-order mark before the first command is not part of it.
    lines = ParseScript("\xEF\xBB\xBFstart\r\nend");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].words, (Words{"start"}));
    try {
        ParseScript("start\nclick \"open");
        FAIL() << "no error";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.Line(), 2);
    }
}

TEST(ScriptLanguage, OutputTextStaysOnOneLine) {
    EXPECT_EQ(OneLine("a\r\nb\nc\rd"), "a\\nb\\nc\\nd");
    EXPECT_EQ(Quoted("say \"hi\"\r\n"), "\"say \"\"hi\"\"\\n\"");
}

TEST(ScriptLanguage, NumbersReadAndPrintExactly) {
    EXPECT_EQ(NumberText(-0.0), "0");
    EXPECT_EQ(NumberText(0.1), "0.1");
    EXPECT_EQ(NumberText(1e21), "1e+21");
    EXPECT_EQ(ParseNumber("+10", "x"), 10);
    for (const char* bad : {"1,5", "1e", "nan", "5 "}) EXPECT_THROW(ParseNumber(bad, "x"), ScriptError) << bad;
    for (const char* bad : {"1.5", "99999999999999999999999"}) EXPECT_THROW(ParseInteger(bad, "x"), ScriptError) << bad;
}

}  // namespace
}  // namespace script
