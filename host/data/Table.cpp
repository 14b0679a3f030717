#include "host/data/Table.h"

#include <algorithm>
#include <functional>
#include <numeric>

#include "host/core/RuntimeError.h"
#include "host/data/Cursor.h"
#include "host/data/Feature.h"
#include "host/data/FeatureCursor.h"
#include "host/data/QueryFilter.h"
#include "host/data/Row.h"
#include "host/data/SelectionSet.h"
#include "host/data/SpatialFilter.h"
#include "host/data/WhereClause.h"

namespace host {

namespace {

std::shared_ptr<const WhereClause> ParseWhere(const QueryFilter* filter, const Table& table) {
    if (filter == nullptr || filter->WhereClause().find_first_not_of(" \t\r\n") == std::string::npos) return nullptr;
    return std::make_shared<const WhereClause>(filter->WhereClause(), table);
}

// The positions a filter's spatial part leaves (ascending), within `within` when given (in
// its order); all positions, or `within`, when the filter has no spatial part.
std::vector<std::size_t> SpatialCandidates(const Table& table, const std::vector<std::size_t>* within,
                                           const QueryFilter* filter) {
    const auto* spatial = dynamic_cast<const SpatialFilter*>(filter);
    if (spatial == nullptr) {
        if (within != nullptr) return *within;
        std::vector<std::size_t> all(table.Size());
        std::iota(all.begin(), all.end(), std::size_t{0});
        return all;
    }
    if (!spatial->Geometry()) Raise(err::ObjectNotSet, "The spatial filter has no geometry.");
    if (!table.IsGeometryField(spatial->GeometryField())) {
        Raise(err::AutomationError,
              "The field " + spatial->GeometryField() + " is not the geometry field of " + table.Name() + ".");
    }
    std::vector<std::size_t> matches = table.SpatialMatches(*spatial);
    if (within == nullptr) return matches;
    std::vector<std::size_t> kept;
    for (std::size_t position : *within) {
        if (std::binary_search(matches.begin(), matches.end(), position)) kept.push_back(position);
    }
    return kept;
}

// The hash a value is indexed under: texts by their text, numbers of every kind by their
// value as a double (0 and -0 alike); nullopt for values a where clause never equals.
std::optional<std::uint64_t> IndexKey(const Value& value) {
    if (value.IsText()) return std::hash<std::string>{}(value.AsText()) * 2;
    if (value.IsNumber()) {
        const double number = value.AsDouble();
        return std::hash<double>{}(number == 0 ? 0.0 : number) * 2 + 1;
    }
    return std::nullopt;
}

}  // namespace

Table::Table(std::string name, Ref<host::Fields> fields, long oidField)
    : name_(std::move(name)),
      fields_(std::move(fields)),
      oidField_(oidField),
      width_(static_cast<std::size_t>(fields_->FieldCount())) {
    if (oidField_ >= fields_->FieldCount()) Raise(err::SubscriptOutOfRange);
}

Table::~Table() = default;

std::string Table::OIDFieldName() const { return oidField_ >= 0 ? fields_->Field(oidField_)->Name() : std::string(); }

long Table::RowCount(const Ref<QueryFilter>& filter) const { return static_cast<long>(Matches(filter.raw()).size()); }

Ref<Cursor> Table::Search(const Ref<QueryFilter>& filter, bool recycling) const {
    auto where = ParseWhere(filter.raw(), *this);
    std::vector<std::size_t> positions = SpatialCandidates(*this, nullptr, filter.raw());
    auto self = std::const_pointer_cast<Table>(shared_from_this());
    if (HasShapes()) return New<FeatureCursor>(self, std::move(positions), std::move(where), recycling);
    return New<Cursor>(self, std::move(positions), std::move(where), recycling);
}

Ref<Cursor> Table::CursorOver(std::vector<std::size_t> positions, const QueryFilter* filter, bool recycling) const {
    auto where = ParseWhere(filter, *this);
    positions = SpatialCandidates(*this, &positions, filter);
    auto self = std::const_pointer_cast<Table>(shared_from_this());
    if (HasShapes()) return New<FeatureCursor>(self, std::move(positions), std::move(where), recycling);
    return New<Cursor>(self, std::move(positions), std::move(where), recycling);
}

std::vector<std::size_t> Table::Matches(const QueryFilter* filter) const {
    auto where = ParseWhere(filter, *this);
    if (where && dynamic_cast<const SpatialFilter*>(filter) == nullptr) return IndexedMatches(*where);
    std::vector<std::size_t> positions = SpatialCandidates(*this, nullptr, filter);
    if (where) {
        std::erase_if(positions, [&](std::size_t position) { return !where->Matches(*this, position); });
    }
    return positions;
}

std::vector<std::size_t> Table::IndexedMatches(const WhereClause& where) const {
    ValueIndex& index = valueIndexes_[where.FieldIndex()];
    if (!index.built || index.rows != Size()) {
        index.entries.clear();
        for (std::size_t position = 0; position < Size(); ++position) {
            if (auto key = IndexKey(ValueAt(position, where.FieldIndex()))) index.entries.emplace_back(*key, position);
        }
        std::sort(index.entries.begin(), index.entries.end());
        index.rows = Size();
        index.built = true;
    }
    // A single matches an operand read as a single, so its own value is looked up too.
    std::vector<std::uint64_t> keys;
    if (auto key = IndexKey(where.Operand())) keys.push_back(*key);
    if (where.Operand().IsNumber()) {
        if (auto key = IndexKey(Value(static_cast<double>(static_cast<float>(where.Operand().AsDouble())))))
            keys.push_back(*key);
    }
    std::vector<std::size_t> found;
    for (std::uint64_t key : keys) {
        auto first = std::lower_bound(index.entries.begin(), index.entries.end(), std::make_pair(key, std::size_t{0}));
        for (auto it = first; it != index.entries.end() && it->first == key; ++it) {
            if (where.Matches(*this, it->second)) found.push_back(it->second);
        }
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

Ref<Row> Table::GetRow(std::int64_t oid) const {
    auto position = PositionOf(oid);
    if (!position) {
        Raise(err::AutomationError, "The table " + name_ + " has no row with object id " + std::to_string(oid) + ".");
    }
    return MakeRow(*position);
}

Ref<SelectionSet> Table::Select(const Ref<QueryFilter>& filter, long /*selectionType*/, long /*selectionOption*/,
                                const Ref<Workspace>& /*workspace*/) const {
    std::vector<std::size_t> positions = Matches(filter.raw());
    std::vector<std::int64_t> ids;
    ids.reserve(positions.size());
    for (std::size_t position : positions) ids.push_back(OIDAt(position));
    return New<SelectionSet>(std::const_pointer_cast<Table>(shared_from_this()), std::move(ids));
}

Ref<Row> Table::MakeRow(std::size_t position) const {
    auto self = std::const_pointer_cast<Table>(shared_from_this());
    if (HasShapes()) return New<Feature>(self, position);
    return New<Row>(self, position);
}

void Table::AddRow(std::vector<Value> values) {
    if (values.size() != width_)
        Raise(err::InvalidProcedureCall, "A row of " + name_ + " has the wrong number of values.");
    const std::int64_t oid = oidField_ >= 0 ? values[static_cast<std::size_t>(oidField_)].AsInteger()
                                            : static_cast<std::int64_t>(oids_.size());
    std::size_t position = oids_.size();
    if (oidsAscending_ && !oids_.empty() && oid <= oids_.back()) {
        // Ids out of order: from now on they are found through a hash index.
        oidsAscending_ = false;
        oidIndex_.reserve(oids_.capacity());
        for (std::size_t i = 0; i < oids_.size(); ++i) oidIndex_.emplace(oids_[i], i);
    }
    if (!oidsAscending_ && !oidIndex_.emplace(oid, position).second) {
        Raise(err::InvalidProcedureCall, "The object id " + std::to_string(oid) + " repeats in " + name_ + ".");
    }
    oids_.push_back(oid);
    for (Value& value : values) cells_.push_back(std::move(value));
}

void Table::Reserve(std::size_t rows) {
    oids_.reserve(rows);
    cells_.reserve(rows * width_);
}

std::size_t Table::Size() const { return oids_.size(); }

Value Table::ValueAt(std::size_t position, long field) const {
    if (field < 0 || static_cast<std::size_t>(field) >= width_ || position >= oids_.size()) {
        Raise(err::SubscriptOutOfRange);
    }
    return cells_[position * width_ + static_cast<std::size_t>(field)];
}

std::int64_t Table::OIDAt(std::size_t position) const {
    if (position >= oids_.size()) Raise(err::SubscriptOutOfRange);
    return oids_[position];
}

std::optional<std::size_t> Table::PositionOf(std::int64_t oid) const {
    if (oidsAscending_) {
        auto it = std::lower_bound(oids_.begin(), oids_.end(), oid);
        if (it == oids_.end() || *it != oid) return std::nullopt;
        return static_cast<std::size_t>(it - oids_.begin());
    }
    auto it = oidIndex_.find(oid);
    if (it == oidIndex_.end()) return std::nullopt;
    return it->second;
}

Ref<Geometry> Table::ShapeAt(std::size_t) const {
    Raise(err::AutomationError, "The table " + name_ + " has no geometry.");
}

bool Table::IsGeometryField(const std::string&) const { return false; }

std::vector<std::size_t> Table::SpatialMatches(const SpatialFilter&) const {
    Raise(err::AutomationError, "The table " + name_ + " has no geometry.");
}

}  // namespace host
