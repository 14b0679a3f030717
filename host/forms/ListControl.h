#pragma once
// What list-like controls share: entries addressed by index 0 to ListCount() - 1, at most
// one chosen entry (ListIndex, -1 for none) and Click.
//
// Setting ListIndex from code to another entry (or to -1) raises Click at once, before the
// setter returns; setting it to the index it has raises nothing. A user's choice
// (ChooseItem) raises Click every time, even for the entry already chosen.

#include <string>
#include <string_view>
#include <vector>

#include "host/forms/Control.h"

namespace host {

class ListControl : public Control {
public:
    using Control::Control;

    long ListCount() const { return static_cast<long>(state_->items.size()); }
    // The entry at index; error 381 outside 0 .. ListCount() - 1.
    const std::string& List(long index) const;
    const std::vector<std::string>& Items() const { return state_->items; }

    long ListIndex() const { return state_->index; }
    // Error 380 outside -1 .. ListCount() - 1.
    void SetListIndex(long index);
    // The text of the chosen entry, "" when none is chosen.
    std::string Text() const;

    // The index of the first entry equal to text (exactly), -1 when there is none.
    long IndexOf(std::string_view text) const;

    // The user chooses the entry at index (error 380 outside the entries).
    void ChooseItem(long index);

protected:
    // Editing, made public by the lists that the code fills itself. AddItem puts the
    // entry at index (-1: after the last; error 5 outside -1 .. ListCount()); the chosen
    // entry stays chosen. RemoveItem (error 5 outside the entries) and Clear raise no
    // Click; removing the chosen entry leaves none chosen.
    void AddItem(std::string text, long index = -1);
    void RemoveItem(long index);
    void Clear();

    // Where a new entry goes (the sorted list decides by its text).
    virtual long InsertPosition(const std::string& text, long requested) const;
    // Replaces every entry (the file-system lists); the entry at chosen (-1: none) is
    // chosen afterwards, without a Click.
    void ReplaceItems(std::vector<std::string> items, long chosen = -1);

private:
    struct State {
        std::vector<std::string> items;
        long index = -1;
    };
    Designed<State> state_{*this};
};

}  // namespace host
