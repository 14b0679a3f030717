#pragma once
// The display table of a layer with a join: the layer's own fields, then the joined table's
// fields, all named "Table.Field". Every row of the layer's table appears once, joined to
// the first row of the other table whose key equals its own (a left outer join: Null in
// the joined fields where nothing matches).

#include <string>
#include <vector>

#include "host/data/Table.h"

namespace host {

class JoinedTable : public Table {
public:
    // Keys are compared by value: texts exactly (case counts), numbers by value whatever
    // their kind, dates by date; Null matches nothing. A key field that either table lacks
    // raises error 5.
    JoinedTable(Ref<Table> source, const std::string& sourceKey, Ref<Table> joined, const std::string& joinedKey);

    Ref<Table> Source() const { return source_; }
    Ref<Table> Joined() const { return joined_; }

    bool HasOID() const override { return source_->HasOID(); }
    std::string OIDFieldName() const override;

    std::size_t Size() const override { return source_->Size(); }
    Value ValueAt(std::size_t position, long field) const override;
    std::int64_t OIDAt(std::size_t position) const override { return source_->OIDAt(position); }
    std::optional<std::size_t> PositionOf(std::int64_t oid) const override { return source_->PositionOf(oid); }

    bool HasShapes() const override { return source_->HasShapes(); }
    Ref<Geometry> ShapeAt(std::size_t position) const override { return source_->ShapeAt(position); }
    bool IsGeometryField(const std::string& name) const override;
    std::vector<std::size_t> SpatialMatches(const SpatialFilter& filter) const override;

    // The position of the joined row for a row of the source (npos when none matched).
    std::size_t JoinedPosition(std::size_t position) const { return match_[position]; }

private:
    static Ref<host::Fields> QualifiedFields(const Table& source, const Table& joined);

    Ref<Table> source_;
    Ref<Table> joined_;
    long sourceFieldCount_;
    std::vector<std::size_t> match_;
};

}  // namespace host
