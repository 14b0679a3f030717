#pragma once
// A combo box in its drop-down list style: the user chooses one of its entries and cannot
// type. Its text is the chosen entry's text.

#include "host/forms/ListControl.h"

namespace host {

class ComboBox : public ListControl {
public:
    using ListControl::ListControl;
    std::string_view Kind() const override { return "ComboBox"; }

    using ListControl::AddItem;
    using ListControl::Clear;
    using ListControl::RemoveItem;

    // Chooses the first entry equal to text, ignoring case (raising Click when the choice
    // changes). Error 383 when no entry matches: the list cannot take other text.
    void SetText(std::string_view text);

    // The least width of the open list in pixels; 0 for the control's own width.
    long DroppedWidth() const { return *droppedWidth_; }
    void SetDroppedWidth(long pixels);

private:
    Designed<long> droppedWidth_{*this, 0};
};

}  // namespace host
