#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/platform/ItemReader.h"
#include "tests/support/ErrorOf.h"

namespace {

using support::ErrorOf;

std::vector<std::string> ReadAll(std::string_view bytes) {
    host::ItemReader reader(bytes);
    std::vector<std::string> items;
    while (!reader.AtEnd()) items.push_back(reader.Next());
    return items;
}

TEST(ItemReader, ReadingRules) {
    using Items = std::vector<std::string>;
    struct Case {
        std::string bytes;
        Items items;
    } cases[] = {
        {"", {}},
        {"\"NONE\"\r\n\"100\"\r\n", {"NONE", "100"}},
        {"\"a, b\"\r\n", {"a, b"}},               // a comma inside quotes
        {"   \"lead\"\r\n", {"lead"}},            // leading blanks skipped
        {"\"x\" tail, next\r\n", {"x", "next"}},  // rest of the line after a quote
        {"\"x\"junk\r\n\"y\"\r\n", {"x", "y"}},
        {"plain,  two\r\n", {"plain", "two"}},        // unquoted items end at a comma
        {"no end", {"no end"}},                       // last line without CR LF
        {"\r\n\r\n\"x\"", {"", "", "x"}},             // each empty line is one item
        {"\"a\"\r\n\r\n", {"a", ""}},                 // at the very end too
        {"\"a\"\r\n \t\n\r\n  ", {"a", "", "", ""}},  // and blank ones there
        {"\"a\"\r\n\r\n\"b\"\n\n", {"a", "", "b", ""}},
        {"\r\n\r\n", {"", ""}},
        {"a\r", {"a"}},  // the line end that closes the last line is no item
        {"\"a\"\r\r\n", {"a", ""}},
        {"\xEF\xBB\xBF\"NONE\"\r\n", {"NONE"}},  // a byte-order mark is skipped
        {"\xEF\xBB\xBF\r\n\"a\"", {"", "a"}},
        {"\xEF\xBB\xBF", {}},
        {"x\xEF\xBB\xBF", {"x\xEF\xBB\xBF"}},        // only at the start
        {"a\nb\n", {"a", "b"}},                      // LF-only lines
        {"\"open\r\nrest", {"open\r\nrest"}},        // unbalanced quote: to the end
        {"\"two\r\nlines\"\r\n", {"two\r\nlines"}},  // a quoted item may cross a line
        {"a,\r\n", {"a", ""}},
        {std::string("n\0l\r\n\"\0\"", 9), {std::string("n\0l", 3), std::string("\0", 1)}},
        {"\xff\xfe\r\n", {"\xff\xfe"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadAll(c.bytes), c.items) << testing::PrintToString(c.bytes);
        EXPECT_EQ(host::ItemReader::Count(c.bytes), c.items.size());
    }
}

TEST(ItemReader, RoundTripAndPastTheEnd) {
    std::vector<std::string> values = {
        "NONE",        "",         "100",        "C:\\Program Files\\Tovalin\\Corvane\\Documents\\",
        "with, comma", " blanks ", "caf\xc3\xa9"};
    std::string bytes;
    for (const auto& v : values) bytes += host::FormatItem(v);

    host::ItemReader reader(bytes);
    for (const auto& v : values) EXPECT_EQ(reader.Next(), v);
    EXPECT_EQ(ErrorOf([&] { reader.Next(); }), 62);

    // A value holding a double quote does not come back as written, but stays one item.
    std::string quoted = host::FormatItem("say \"hi\"") + host::FormatItem("next");
    EXPECT_EQ(ReadAll(quoted), (std::vector<std::string>{"say ", "next"}));
}

TEST(ItemReader, LongAndBinaryInputEndsWithoutOverrun) {
    std::string longLine(1 << 20, 'x');
    EXPECT_EQ(host::ItemReader::Count(longLine), 1u);
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) & 0xff);
    host::ItemReader reader(binary);
    std::size_t last = 0;
    while (!reader.AtEnd()) {
        reader.Next();
        ASSERT_GT(reader.Position(), last);  // every item moves on
        last = reader.Position();
    }
    EXPECT_EQ(reader.Position(), binary.size());
}

}  // namespace
