#include "host/forms/ListBox.h"

#include <algorithm>
#include <iterator>

namespace host {

namespace {

// The texts in the order CompareIgnoringCase gives, equal ones in the order given; chosen
// (an index into texts, -1 for none) becomes its index in that order.
std::vector<std::string> SortedIgnoringCase(std::vector<std::string> texts, long& chosen) {
    const std::vector<std::size_t> order = SortedOrderIgnoringCase(texts);
    std::vector<std::string> sorted;
    sorted.reserve(texts.size());
    long moved = -1;
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (static_cast<long>(order[k]) == chosen) moved = static_cast<long>(k);
        sorted.push_back(std::move(texts[order[k]]));
    }
    chosen = moved;
    return sorted;
}

}  // namespace

void ListBox::AddItems(std::vector<std::string> texts) {
    if (texts.empty()) return;
    long chosen = ListIndex();
    std::vector<std::string> items;
    if (ListCount() == 0) {
        items = std::move(texts);
    } else {
        items = Items();
        items.insert(items.end(), std::make_move_iterator(texts.begin()), std::make_move_iterator(texts.end()));
    }
    // The entries already there come first, so a new entry goes after those equal to it.
    if (*sorted_) items = SortedIgnoringCase(std::move(items), chosen);
    ReplaceItems(std::move(items), chosen);
}

void ListBox::SetSorted(bool sorted) {
    if (!Update(*sorted_, sorted) || !sorted) return;
    long none = -1;
    ReplaceItems(SortedIgnoringCase(Items(), none));
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
