#include "host/framework/CommandBars.h"

#include "host/data/Fields.h"

namespace host {

void CommandBars::Add(Ref<CommandItem> item) {
    if (!item) Raise(err::ObjectNotSet);
    items_.push_back(std::move(item));
}

Ref<CommandItem> CommandBars::Find(const Ref<UID>& identifier, bool, bool) const {
    const std::string& value = identifier->Value();
    for (const Ref<CommandItem>& item : items_) {
        if (EqualIgnoringCase(item->ID(), value)) return item;
    }
    return nullptr;
}

Ref<CommandItem> CommandBars::Find(const std::string& nameOrId, bool, bool) const {
    for (const Ref<CommandItem>& item : items_) {
        if (EqualIgnoringCase(item->Name(), nameOrId) || EqualIgnoringCase(item->ID(), nameOrId)) return item;
    }
    return nullptr;
}

Ref<CommandItem> CommandBars::Item(long index) const {
    if (index < 0 || index >= Count()) Raise(err::SubscriptOutOfRange);
    return items_[static_cast<std::size_t>(index)];
}

}  // namespace host
