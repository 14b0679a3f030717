#include "host/core/Text.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/ucol.h>
#include <unicode/uiter.h>
#include <unicode/uniset.h>
#include <unicode/unistr.h>
#include <unicode/usetiter.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace host {

namespace {

constexpr std::size_t kAscii = 128;

bool IsAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < kAscii; });
}

bool IsWellFormed(std::string_view s) {
    const char* data = s.data();
    const auto length = static_cast<std::int32_t>(s.size());
    for (std::int32_t i = 0; i < length;) {
        UChar32 c = 0;
        // ICU's macro narrows bytes internally, as it is meant to.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wconversion"
#pragma GCC diagnostic ignored "-Wsign-conversion"
        U8_NEXT(data, i, length, c);
#pragma GCC diagnostic pop
        if (c < 0) return false;
    }
    return true;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Compares byte by byte with ASCII letters folded to lower case.
int CompareAsciiFolded(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(AsciiLower(a[i]));
        const auto y = static_cast<unsigned char>(AsciiLower(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

icu::UnicodeString FromUtf8(std::string_view s) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(s.data(), static_cast<std::int32_t>(s.size())));
}

// The collator of one locale and what it allows to be done without it. ASCII text is the
// bulk of what is compared (names of layers and fields, parcel ids), so when the locale's
// rules give every ASCII character one weight of its own (true of the root rules and of
// most locales; not of those with contractions such as Danish "aa"), ASCII text is compared
// by a table of those weights, which gives the collator's order.
struct Rules {
    icu::Locale locale;
    std::unique_ptr<icu::Collator> collator;
    // The rank of each ASCII character among them in the collator's order; 0 for the
    // characters it ignores (most control characters).
    std::array<std::uint8_t, kAscii> rank{};
    bool asciiByRank = false;
    // ASCII letters upper-case to ASCII letters (not so in Turkish: "i" gives "İ").
    bool asciiUpper = true;
};

// True when no tailoring of the locale begins with an ASCII character.
bool AsciiUntailored(const icu::Collator& collator) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::UnicodeSet> tailored(collator.getTailoredSet(status));
    if (U_FAILURE(status) || !tailored) return false;
    if (tailored->containsSome(0, static_cast<UChar32>(kAscii - 1))) return false;
    for (icu::UnicodeSetIterator it(*tailored); it.next();) {
        if (it.isString() && it.getString().char32At(0) < static_cast<UChar32>(kAscii)) return false;
    }
    return true;
}

// Ranks the ASCII characters by the collator; false when two characters that differ at the
// level the collator compares are equal in their base letter, which a rank cannot show.
bool RankAscii(const icu::Collator& collator, std::array<std::uint8_t, kAscii>& rank) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> primary(collator.clone());
    if (!primary) return false;
    primary->setStrength(icu::Collator::PRIMARY);
    std::array<icu::UnicodeString, kAscii> one;
    std::array<std::size_t, kAscii> order{};
    for (std::size_t c = 0; c < kAscii; ++c) {
        one[c] = icu::UnicodeString(static_cast<UChar32>(c));
        order[c] = c;
    }
    auto compare = [&](const icu::Collator& by, std::size_t x, std::size_t y) {
        return by.compare(one[x], one[y], status);
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t x, std::size_t y) { return compare(collator, x, y) == UCOL_LESS; });
    const icu::UnicodeString none;
    std::uint8_t next = 0;
    for (std::size_t k = 0; k < kAscii; ++k) {
        const std::size_t c = order[k];
        if (collator.compare(one[c], none, status) == UCOL_EQUAL) continue;  // ignored
        if (k == 0 || rank[order[k - 1]] == 0 || compare(collator, order[k - 1], c) != UCOL_EQUAL) {
            if (k > 0 && rank[order[k - 1]] != 0 && compare(*primary, order[k - 1], c) == UCOL_EQUAL) return false;
            ++next;
        }
        rank[c] = next;
    }
    return U_SUCCESS(status);
}

std::unique_ptr<Rules> MakeRules(const std::string& name) {
    auto rules = std::make_unique<Rules>();
    rules->locale = name.empty() ? icu::Locale::getRoot() : icu::Locale(name.c_str());
    UErrorCode status = U_ZERO_ERROR;
    rules->collator.reset(icu::Collator::createInstance(rules->locale, status));
    if (U_FAILURE(status) || !rules->collator) {
        status = U_ZERO_ERROR;
        rules->locale = icu::Locale::getRoot();
        rules->collator.reset(icu::Collator::createInstance(rules->locale, status));
        if (U_FAILURE(status) || !rules->collator) throw std::runtime_error("The text collation rules are missing");
    }
    icu::Collator& collator = *rules->collator;
    // Accents count, case does not; blanks and punctuation count; digits sort as text.
    collator.setStrength(icu::Collator::SECONDARY);
    collator.setAttribute(UCOL_CASE_LEVEL, UCOL_OFF, status);
    collator.setAttribute(UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, status);
    collator.setAttribute(UCOL_NUMERIC_COLLATION, UCOL_OFF, status);
    if (U_FAILURE(status)) throw std::runtime_error("The text collation rules cannot be set");
    rules->asciiByRank = AsciiUntailored(collator) && RankAscii(collator, rules->rank);
    for (char c = 'a'; c <= 'z' && rules->asciiUpper; ++c) {
        std::string upper;
        FromUtf8(std::string_view(&c, 1)).toUpper(rules->locale).toUTF8String(upper);
        rules->asciiUpper = upper == std::string(1, AsciiUpper(c));
    }
    return rules;
}

std::unique_ptr<Rules>& CurrentRulesSlot() {
    static std::unique_ptr<Rules> rules;
    return rules;
}

const Rules& CurrentRules() {
    std::unique_ptr<Rules>& rules = CurrentRulesSlot();
    if (!rules) rules = MakeRules(LocaleFromEnvironment());
    return *rules;
}

int CompareByRank(const Rules& rules, std::string_view a, std::string_view b) {
    auto rankAt = [&](std::string_view s, std::size_t i) { return rules.rank[static_cast<unsigned char>(s[i])]; };
    std::size_t i = 0, j = 0;
    for (;;) {
        while (i < a.size() && rankAt(a, i) == 0) ++i;
        while (j < b.size() && rankAt(b, j) == 0) ++j;
        if (i == a.size() || j == b.size()) return (i == a.size() ? 0 : 1) - (j == b.size() ? 0 : 1);
        if (rankAt(a, i) != rankAt(b, j)) return rankAt(a, i) < rankAt(b, j) ? -1 : 1;
        ++i;
        ++j;
    }
}

// Appends the sort key of s to keys: bytes that compare as the texts do.
void AppendRankKey(const Rules& rules, std::string_view s, std::string& keys) {
    for (char c : s) {
        if (const std::uint8_t r = rules.rank[static_cast<unsigned char>(c)]; r != 0) keys += static_cast<char>(r);
    }
}

void AppendCollationKey(const Rules& rules, std::string_view s, std::string& keys) {
    UCharIterator it;
    uiter_setUTF8(&it, s.data(), static_cast<std::int32_t>(s.size()));
    std::uint32_t state[2] = {0, 0};
    std::array<std::uint8_t, 64> part{};
    for (;;) {
        UErrorCode status = U_ZERO_ERROR;
        const std::int32_t n = ucol_nextSortKeyPart(rules.collator->toUCollator(), &it, state, part.data(),
                                                    static_cast<std::int32_t>(part.size()), &status);
        if (U_FAILURE(status)) throw std::runtime_error("A text's sort key cannot be made");
        keys.append(reinterpret_cast<const char*>(part.data()), static_cast<std::size_t>(n));
        if (n < static_cast<std::int32_t>(part.size())) return;
    }
}

// A text's place in the sort: the first eight bytes of its key read as one number, where
// the rest of the key lies in the shared buffer, and the text's index.
struct Keyed {
    std::uint64_t head;
    std::size_t offset;
    std::size_t length;
    std::size_t index;
};

std::uint64_t Head(const std::string& keys, std::size_t offset, std::size_t length) {
    std::uint64_t head = 0;
    for (std::size_t k = 0; k < 8; ++k) {
        head = (head << 8) | (k < length ? static_cast<unsigned char>(keys[offset + k]) : 0u);
    }
    return head;
}

}  // namespace

int CompareIgnoringCase(std::string_view a, std::string_view b) {
    const Rules& rules = CurrentRules();
    if (rules.asciiByRank && IsAscii(a) && IsAscii(b)) return CompareByRank(rules, a, b);
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result =
        rules.collator->compareUTF8(icu::StringPiece(a.data(), static_cast<std::int32_t>(a.size())),
                                    icu::StringPiece(b.data(), static_cast<std::int32_t>(b.size())), status);
    if (U_FAILURE(status)) throw std::runtime_error("Texts cannot be compared");
    // Ill-formed bytes all read as one replacement character; tell such texts apart.
    if (result == UCOL_EQUAL && (!IsWellFormed(a) || !IsWellFormed(b))) return CompareAsciiFolded(a, b);
    return result;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) { return a == b || CompareIgnoringCase(a, b) == 0; }

std::vector<std::size_t> SortedOrderIgnoringCase(const std::vector<std::string>& texts) {
    const Rules& rules = CurrentRules();
    const bool byRank =
        rules.asciiByRank && std::all_of(texts.begin(), texts.end(), [](const std::string& t) { return IsAscii(t); });
    std::string keys;
    std::vector<Keyed> keyed;
    keyed.reserve(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::size_t offset = keys.size();
        if (byRank) {
            AppendRankKey(rules, texts[i], keys);
        } else {
            AppendCollationKey(rules, texts[i], keys);
        }
        keyed.push_back(Keyed{0, offset, keys.size() - offset, i});
    }
    for (Keyed& k : keyed) k.head = Head(keys, k.offset, k.length);
    std::sort(keyed.begin(), keyed.end(), [&](const Keyed& x, const Keyed& y) {
        if (x.head != y.head) return x.head < y.head;
        const std::size_t shorter = std::min(x.length, y.length);
        if (shorter > 8) {
            const int tail = std::memcmp(keys.data() + x.offset + 8, keys.data() + y.offset + 8, shorter - 8);
            if (tail != 0) return tail < 0;
        }
        if (x.length != y.length) return x.length < y.length;
        return x.index < y.index;
    });
    std::vector<std::size_t> order;
    order.reserve(keyed.size());
    for (const Keyed& k : keyed) order.push_back(k.index);
    return order;
}

std::string UpperCase(std::string_view text) {
    const Rules& rules = CurrentRules();
    std::string upper;
    if ((rules.asciiUpper && IsAscii(text)) || !IsWellFormed(text)) {
        upper.reserve(text.size());
        for (char c : text) upper += AsciiUpper(c);
        return upper;
    }
    FromUtf8(text).toUpper(rules.locale).toUTF8String(upper);
    return upper;
}

std::string LocaleFromEnvironment() {
    std::string name;
    for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            name = value;
            break;
        }
    }
    // "de_DE.UTF-8@euro": the language and region are what the rules need.
    name = name.substr(0, name.find_first_of(".@"));
    if (name == "C" || name == "POSIX") name.clear();
    return name;
}

void UseTextLocale(const std::string& locale) { CurrentRulesSlot() = MakeRules(locale); }

}  // namespace host
