#pragma once
// A list box with single selection. A sorted list keeps its entries in ascending order
// ignoring case, whatever order they are added in (an index given to AddItem is then
// ignored); entries equal but for case stay in the order they came.

#include "host/forms/ListControl.h"

namespace host {

class ListBox : public ListControl {
public:
    using ListControl::ListControl;
    std::string_view Kind() const override { return "ListBox"; }

    using ListControl::AddItem;
    using ListControl::Clear;
    using ListControl::RemoveItem;

    bool Sorted() const { return *sorted_; }
    // Set in the form's design; sorting a list that holds entries puts them in order and
    // chooses none.
    void SetSorted(bool sorted);

protected:
    long InsertPosition(const std::string& text, long requested) const override;

private:
    Designed<bool> sorted_{*this, false};
};

// Compares two texts ignoring case, as the sorted list orders them: letters compare
// without their case (ASCII and the accented Latin letters), everything else by its code
// point; <0, 0 or >0.
int CompareIgnoringCase(std::string_view a, std::string_view b);

}  // namespace host
