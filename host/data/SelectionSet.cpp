#include "host/data/SelectionSet.h"

#include <algorithm>
#include <iterator>

#include "host/core/RuntimeError.h"
#include "host/data/Cursor.h"
#include "host/data/Table.h"

namespace host {

namespace {

std::vector<std::int64_t> Sorted(std::vector<std::int64_t> ids) {
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

}  // namespace

SelectionSet::SelectionSet(Ref<host::Table> target, std::vector<std::int64_t> ids)
    : target_(std::move(target)), ids_(Sorted(std::move(ids))) {}

bool SelectionSet::HasID(std::int64_t oid) const { return std::binary_search(ids_.begin(), ids_.end(), oid); }

Ref<Cursor> SelectionSet::Search(const Ref<QueryFilter>& filter, bool recycling) const {
    std::vector<std::size_t> positions;
    positions.reserve(ids_.size());
    for (std::int64_t id : ids_) {
        if (auto position = target_->PositionOf(id)) positions.push_back(*position);
    }
    return target_->CursorOver(std::move(positions), filter.raw(), recycling);
}

void SelectionSet::Add(std::int64_t oid) {
    auto it = std::lower_bound(ids_.begin(), ids_.end(), oid);
    if (it == ids_.end() || *it != oid) ids_.insert(it, oid);
}

void SelectionSet::AddList(const std::vector<std::int64_t>& oids) {
    std::vector<std::int64_t> added = Sorted(oids), merged;
    std::set_union(ids_.begin(), ids_.end(), added.begin(), added.end(), std::back_inserter(merged));
    ids_ = std::move(merged);
}

void SelectionSet::RemoveList(const std::vector<std::int64_t>& oids) {
    std::vector<std::int64_t> removed = Sorted(oids), kept;
    std::set_difference(ids_.begin(), ids_.end(), removed.begin(), removed.end(), std::back_inserter(kept));
    ids_ = std::move(kept);
}

Ref<SelectionSet> SelectionSet::Combine(const Ref<SelectionSet>& other, long result) const {
    const std::vector<std::int64_t>& a = ids_;
    const std::vector<std::int64_t>& b = other->ids_;
    std::vector<std::int64_t> out;
    switch (result) {
    case SelectionResult::New: out = b; break;
    case SelectionResult::Add: std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out)); break;
    case SelectionResult::Subtract:
        std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
        break;
    case SelectionResult::And:
        std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
        break;
    case SelectionResult::Xor:
        std::set_symmetric_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
        break;
    default: Raise(err::InvalidProcedureCall, "Unknown selection combination " + std::to_string(result) + ".");
    }
    return New<SelectionSet>(target_, std::move(out));
}

}  // namespace host
