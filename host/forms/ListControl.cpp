#include "host/forms/ListControl.h"

#include "host/core/RuntimeError.h"

namespace host {

const std::string& ListControl::List(long index) const {
    if (index < 0 || index >= ListCount()) RaiseFormError(formerr::InvalidPropertyArrayIndex);
    return state_->items[static_cast<std::size_t>(index)];
}

void ListControl::SetListIndex(long index) {
    if (index < -1 || index >= ListCount()) RaiseFormError(formerr::InvalidPropertyValue);
    if (Update(state_->index, index)) RaiseEvent(Click);
}

std::string ListControl::Text() const { return state_->index >= 0 ? List(state_->index) : std::string(); }

long ListControl::IndexOf(std::string_view text) const {
    for (long i = 0; i < ListCount(); ++i) {
        if (state_->items[static_cast<std::size_t>(i)] == text) return i;
    }
    return -1;
}

void ListControl::ChooseItem(long index) {
    RequireReachable();
    if (index < 0 || index >= ListCount()) RaiseFormError(formerr::InvalidPropertyValue);
    Update(state_->index, index);
    RaiseEvent(Click);
}

void ListControl::AddItem(std::string text, long index) {
    if (index < -1 || index > ListCount()) Raise(err::InvalidProcedureCall);
    long position = InsertPosition(text, index == -1 ? ListCount() : index);
    state_->items.insert(state_->items.begin() + position, std::move(text));
    if (state_->index >= position) ++state_->index;
    NotifyChanged();
}

void ListControl::RemoveItem(long index) {
    if (index < 0 || index >= ListCount()) Raise(err::InvalidProcedureCall);
    state_->items.erase(state_->items.begin() + index);
    if (state_->index == index) {
        state_->index = -1;
    } else if (state_->index > index) {
        --state_->index;
    }
    NotifyChanged();
}

void ListControl::Clear() {
    if (state_->items.empty() && state_->index == -1) return;
    state_->items.clear();
    state_->index = -1;
    NotifyChanged();
}

long ListControl::InsertPosition(const std::string&, long requested) const { return requested; }

void ListControl::ReplaceItems(std::vector<std::string> items, long chosen) {
    state_->items = std::move(items);
    state_->index = chosen;
    NotifyChanged();
}

}  // namespace host
