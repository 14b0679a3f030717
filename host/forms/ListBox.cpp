#include "host/forms/ListBox.h"

#include <algorithm>

namespace host {

namespace {

// The next code point of s from pos, folded to lower case for the letters that have a
// case in ASCII and Latin-1; a byte that starts no valid sequence stands for itself.
unsigned NextFolded(std::string_view s, std::size_t& pos) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(s[i])); };
    unsigned code = byte(pos);
    std::size_t length = code >= 0xF0 && code < 0xF8 ? 4 : code >= 0xE0 ? 3 : code >= 0xC0 ? 2 : 1;
    bool valid = length > 1 && pos + length <= s.size();
    for (std::size_t i = 1; valid && i < length; ++i) valid = (byte(pos + i) & 0xC0) == 0x80;
    if (valid) {
        code &= 0x3Fu >> (length - 1);
        for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (byte(pos + i) & 0x3F);
        pos += length;
    } else {
        ++pos;
    }
    if ((code >= 'A' && code <= 'Z') || (code >= 0xC0 && code <= 0xDE && code != 0xD7)) code += 0x20;
    return code;
}

}  // namespace

int CompareIgnoringCase(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        unsigned x = NextFolded(a, i);
        unsigned y = NextFolded(b, j);
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

void ListBox::SetSorted(bool sorted) {
    if (!Update(*sorted_, sorted) || !sorted) return;
    std::vector<std::string> items = Items();
    std::stable_sort(items.begin(), items.end(),
                     [](const std::string& x, const std::string& y) { return CompareIgnoringCase(x, y) < 0; });
    ReplaceItems(std::move(items));
}

long ListBox::InsertPosition(const std::string& text, long requested) const {
    if (!*sorted_) return requested;
    const auto& items = Items();
    auto it = std::upper_bound(items.begin(), items.end(), text, [](const std::string& x, const std::string& y) {
        return CompareIgnoringCase(x, y) < 0;
    });
    return static_cast<long>(it - items.begin());
}

}  // namespace host
