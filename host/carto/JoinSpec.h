#pragma once
// A join as the map document names it: the layer's key field, the name of a standalone
// table of the map and that table's key field.

#include <string>

namespace host {

struct JoinSpec {
    std::string key;
    std::string table;
    std::string tableKey;
    bool operator==(const JoinSpec&) const = default;
};

}  // namespace host
