#pragma once
// The document's command bars: every command the host offers, its own and the registered
// ones, found by identifier or by name.

#include <string>
#include <vector>

#include "host/core/Ref.h"
#include "host/framework/CommandItem.h"
#include "host/framework/UID.h"

namespace host {

class CommandBars {
public:
    void Add(Ref<CommandItem> item);
    void Clear() { items_.clear(); }

    // The item whose identifier equals the UID's value (case ignored), or Nothing. The two
    // flags (do not look into sub-menus, do not create) are accepted as the host's callers
    // pass them and change nothing here. An empty UID reference raises error 91.
    Ref<CommandItem> Find(const Ref<UID>& identifier, bool noRecurse = false, bool noCreate = false) const;
    // The item whose command name (or identifier) equals the text, case ignored, or Nothing.
    Ref<CommandItem> Find(const std::string& nameOrId, bool noRecurse = false, bool noCreate = false) const;

    long Count() const { return static_cast<long>(items_.size()); }
    // Error 9 for an index outside 0 to Count - 1.
    Ref<CommandItem> Item(long index) const;

private:
    std::vector<Ref<CommandItem>> items_;
};

}  // namespace host
