// Text compared ignoring case, upper-cased and ordered by the locale's rules: letters of
// every script, accents that count, the sorted order and the locale the environment names.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "host/core/Text.h"

namespace {

using Texts = std::vector<std::string>;

// Each test starts and ends with the root rules, whatever the machine's locale.
class TextTest : public ::testing::Test {
protected:
    void SetUp() override { host::UseTextLocale(""); }
    void TearDown() override { host::UseTextLocale(""); }

    static Texts Sorted(const Texts& texts) {
        Texts sorted;
        for (std::size_t i : host::SortedOrderIgnoringCase(texts)) sorted.push_back(texts[i]);
        return sorted;
    }
};

TEST_F(TextTest, EqualIgnoresCaseInEveryScriptButNotAccentsOrBlanks) {
    const struct {
        const char *a, *b;
        bool equal;
    } cases[] = {
        {"É", "é", true},
        {"É", "E", false},
        {"Š", "š", true},
        {"Œuvre", "œUVRE", true},
        {"Ω", "ω", true},
        {"Ł", "ł", true},
        {"Ł", "L", false},
        {"PARCELS", "parcels", true},
        {"Parcels ", "Parcels", false},
        {"a-b", "ab", false},
        {"", "", true},
        // Ill-formed bytes are told apart, though the collator reads them all alike.
        {"a\xFF", "A\xFF", true},
        {"a\xFF", "a\xFE", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(host::EqualIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
        EXPECT_EQ(host::CompareIgnoringCase(c.a, c.b) == 0, c.equal) << c.a << " / " << c.b;
    }
}

TEST_F(TextTest, UpperCaseFollowsTheLocale) {
    const struct {
        const char *locale, *text, *upper;
    } cases[] = {
        {"", "main st 12-b", "MAIN ST 12-B"},
        {"", "école", "ÉCOLE"},
        {"", "šœωł", "ŠŒΩŁ"},
        {"", "straße", "STRASSE"},
        {"", "a\xFF", "A\xFF"},  // ill-formed: ASCII letters only
        {"tr_TR", "istanbul", "İSTANBUL"},
        {"en_US", "istanbul", "ISTANBUL"},
    };
    for (const auto& c : cases) {
        host::UseTextLocale(c.locale);
        EXPECT_EQ(host::UpperCase(c.text), c.upper) << c.locale << ": " << c.text;
    }
}

TEST_F(TextTest, SortedOrderPutsAccentsBesideTheirBaseLettersAndKeepsEqualTextsInOrder) {
    const struct {
        const char* locale;
        Texts texts, sorted;
    } cases[] = {
        {"", {"Zeta", "ä", "b", "Ä", "ab", "a"}, {"a", "ä", "Ä", "ab", "b", "Zeta"}},
        {"", {"b", "C", "a", "B"}, {"a", "b", "B", "C"}},
        {"", {"9", "10", "100", "1"}, {"1", "10", "100", "9"}},
        {"", {"Łódź", "Lodz", "Mazury", "łódź"}, {"Lodz", "Łódź", "łódź", "Mazury"}},
        {"", {"ω", "Ω", "z", "Š"}, {"Š", "z", "ω", "Ω"}},
        // Swedish puts ä after z; Danish takes "aa" as one letter after z.
        {"sv_SE", {"ä", "z", "a"}, {"a", "z", "ä"}},
        {"da_DK", {"aa", "z", "ab"}, {"ab", "z", "aa"}},
    };
    for (const auto& c : cases) {
        host::UseTextLocale(c.locale);
        EXPECT_EQ(Sorted(c.texts), c.sorted) << c.locale << ": " << c.texts.front();
        for (std::size_t i = 1; i < c.sorted.size(); ++i) {
            EXPECT_LE(host::CompareIgnoringCase(c.sorted[i - 1], c.sorted[i]), 0)
                << c.sorted[i - 1] << " / " << c.sorted[i];
        }
    }
}

// ASCII text is ordered by a table of the collator's weights; it must give the collator's
// own order, which the texts get when one of them is not ASCII.
TEST_F(TextTest, AsciiTextSortsAsTheCollatorSortsIt) {
    Texts ascii = {"a-b", "ab", "a b", "A1", "a10", "a9", "_x", "x\x01y", "xy", "x\ty", "{", "~", "0", "Z", "", "#1"};
    for (char c = ' '; c < 0x7F; ++c) ascii.push_back(std::string(1, c) + "m");
    for (const char* locale : {"", "en_US", "de_DE"}) {
        host::UseTextLocale(locale);
        Texts mixed = ascii;
        mixed.push_back("ä");
        Texts byCollator = Sorted(mixed);
        std::erase(byCollator, "ä");
        EXPECT_EQ(Sorted(ascii), byCollator) << locale;
        for (std::size_t i = 1; i < byCollator.size(); ++i) {
            EXPECT_LE(host::CompareIgnoringCase(byCollator[i - 1], byCollator[i]), 0) << locale << ": " << i;
        }
    }
}

TEST_F(TextTest, TheLocaleComesFromTheEnvironment) {
    const char* names[] = {"LC_ALL", "LC_COLLATE", "LANG"};
    std::optional<std::string> saved[3];
    for (int i = 0; i < 3; ++i)
        if (const char* value = std::getenv(names[i])) saved[i] = value;
    const struct {
        const char *all, *collate, *lang, *locale;
    } cases[] = {
        {"de_DE.UTF-8", "sv_SE.UTF-8", "fr_FR.UTF-8", "de_DE"},
        {"", "sv_SE.UTF-8@euro", "fr_FR.UTF-8", "sv_SE"},
        {"", "", "pl_PL", "pl_PL"},
        {"C.UTF-8", "", "pl_PL", ""},
        {"", "POSIX", "", ""},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        const char* values[] = {c.all, c.collate, c.lang};
        for (int i = 0; i < 3; ++i) setenv(names[i], values[i], 1);
        EXPECT_EQ(host::LocaleFromEnvironment(), c.locale) << c.all << "|" << c.collate << "|" << c.lang;
    }
    for (int i = 0; i < 3; ++i) saved[i] ? setenv(names[i], saved[i]->c_str(), 1) : unsetenv(names[i]);
}

}  // namespace
