#pragma once
// A list box with single selection. A sorted list keeps its entries in ascending order
// ignoring case (host/core/Text.h), whatever order they are added in (an index given to
// AddItem is then ignored); entries equal but for case stay in the order they came.

#include "host/core/Text.h"
#include "host/forms/ListControl.h"

namespace host {

class ListBox : public ListControl {
public:
    using ListControl::ListControl;
    std::string_view Kind() const override { return "ListBox"; }

    using ListControl::AddItem;
    using ListControl::Clear;
    using ListControl::RemoveItem;

    // Adds the entries in one step, as many AddItem calls at the end would, the chosen
    // entry staying chosen: a sorted list sorts them once and places each after the entries
    // equal to it.
    void AddItems(std::vector<std::string> texts);

    bool Sorted() const { return *sorted_; }
    // Set in the form's design; sorting a list that holds entries puts them in order and
    // chooses none.
    void SetSorted(bool sorted);

protected:
    long InsertPosition(const std::string& text, long requested) const override;

private:
    Designed<bool> sorted_{*this, false};
};

}  // namespace host
