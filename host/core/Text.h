#pragma once
// Text compared, upper-cased and ordered by the user's locale. Every lookup of a name, every
// search of a list and every sorted list goes through here, so that they all agree.
//
// "Ignoring case" is case-insensitive but accent-sensitive: "É" equals "é" but not "E";
// blanks, punctuation and digits count ("10" sorts before "9"). Accented letters sort beside
// their base letters ("ä" near "a", not after "Z"). The locale is read from the environment
// (LC_ALL, then LC_COLLATE, then LANG); "C", "POSIX" or none give the root rules.
//
// Texts are UTF-8. A text that is not well-formed UTF-8 equals another only when the two are
// the same but for the case of ASCII letters, and upper-casing it changes only ASCII letters.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace host {

bool EqualIgnoringCase(std::string_view a, std::string_view b);

// <0, 0 or >0 as a sorts before, with or after b; 0 exactly when EqualIgnoringCase.
int CompareIgnoringCase(std::string_view a, std::string_view b);

// The indexes of the texts in the order CompareIgnoringCase puts them; texts that compare
// equal keep the order given. Each text's sort key is computed once, so a million texts
// sort in well under a second.
std::vector<std::size_t> SortedOrderIgnoringCase(const std::vector<std::string>& texts);

// The text in upper case by the locale's rules ("straße" gives "STRASSE").
std::string UpperCase(std::string_view text);

// The locale named by the environment as the text rules take it ("de_DE" for
// LANG=de_DE.UTF-8), or "" for the root rules.
std::string LocaleFromEnvironment();

// Follow the rules of the named locale from now on ("" for the root rules); the rules of
// LocaleFromEnvironment() are used until this is called. For tests and for a host that
// changes its locale.
void UseTextLocale(const std::string& locale);

}  // namespace host
