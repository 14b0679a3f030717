#pragma once

#include <cstdint>
#include <vector>

#include "host/core/Ref.h"

namespace host {

class Cursor;
class QueryFilter;
class Table;

// The host's selection combination codes.
namespace SelectionResult {
inline constexpr long New = 0;
inline constexpr long Add = 1;
inline constexpr long Subtract = 2;
inline constexpr long And = 3;
inline constexpr long Xor = 4;
}  // namespace SelectionResult

// The host's selection type and option codes for Table::Select.
namespace SelectionType {
inline constexpr long IDSet = 1;
}
namespace SelectionOption {
inline constexpr long Normal = 1;
}

// A set of object ids of one table, kept in ascending order.
class SelectionSet {
public:
    explicit SelectionSet(Ref<host::Table> target, std::vector<std::int64_t> ids = {});

    Ref<host::Table> Target() const { return target_; }
    long Count() const { return static_cast<long>(ids_.size()); }
    const std::vector<std::int64_t>& IDs() const { return ids_; }
    bool HasID(std::int64_t oid) const;

    // A cursor over the selected rows that also satisfy the filter, in id order. Ids whose
    // rows the table no longer has are passed over.
    Ref<Cursor> Search(const Ref<QueryFilter>& filter, bool recycling) const;

    void Add(std::int64_t oid);
    void AddList(const std::vector<std::int64_t>& oids);
    void RemoveList(const std::vector<std::int64_t>& oids);
    void Clear() { ids_.clear(); }

    // This set combined with another (SelectionResult: New gives the other's ids, Add the
    // union, Subtract this less the other, And the common ids, Xor the ids in one only);
    // a code outside 0 .. 4 raises error 5. The result targets this set's table.
    Ref<SelectionSet> Combine(const Ref<SelectionSet>& other, long result) const;

private:
    Ref<host::Table> target_;
    std::vector<std::int64_t> ids_;
};

}  // namespace host
