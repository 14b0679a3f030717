#pragma once
// A table held in memory: its fields and its rows, each with an object id. Search, GetRow
// and Select read it through filters. Feature classes and the display table of a join are
// tables too; they override the storage readers below.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/core/Ref.h"
#include "host/data/Fields.h"
#include "host/data/Value.h"

namespace host {

class Cursor;
class Geometry;
class QueryFilter;
class Row;
class SelectionSet;
class SpatialFilter;
class Workspace;

class WhereClause;

class Table : public std::enable_shared_from_this<Table> {
public:
    // `oidField` is the index of the object id field in `fields` (-1: rows have no id and
    // their position stands in for it).
    Table(std::string name, Ref<host::Fields> fields, long oidField);
    virtual ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // The name the table has in its data source; qualified field names use it.
    const std::string& Name() const { return name_; }
    virtual Ref<host::Fields> Fields() const { return fields_; }
    long FindField(const std::string& name) const { return Fields()->FindField(name); }
    virtual bool HasOID() const { return oidField_ >= 0; }
    virtual std::string OIDFieldName() const;

    // Rows that satisfy the filter (all rows without one). A where clause the host cannot
    // read, or a value that is not a number for a numeric field, raises a run-time error
    // here, before any row is read.
    long RowCount(const Ref<QueryFilter>& filter) const;
    // A cursor over those rows, in table order. With recycling, every NextRow returns the
    // same row object moved on; without, a new one.
    Ref<Cursor> Search(const Ref<QueryFilter>& filter, bool recycling) const;
    // The row with this object id; a run-time error when there is none.
    Ref<Row> GetRow(std::int64_t oid) const;
    // A selection set of this table holding the ids of the rows that satisfy the filter.
    // The type and option are the host's (1, 1); the workspace only holds the set.
    Ref<SelectionSet> Select(const Ref<QueryFilter>& filter, long selectionType, long selectionOption,
                             const Ref<Workspace>& workspace) const;

    // Loading: appends a row; `values` holds one value per field (the object id field's
    // value is the id, the geometry field's Null). Ids must be unique (else error 5).
    void AddRow(std::vector<Value> values);
    void Reserve(std::size_t rows);

    // Storage, read by rows, cursors, selection sets and joins. Positions run from 0 to
    // Size() - 1 in table order.
    virtual std::size_t Size() const;
    virtual Value ValueAt(std::size_t position, long field) const;
    virtual std::int64_t OIDAt(std::size_t position) const;
    virtual std::optional<std::size_t> PositionOf(std::int64_t oid) const;

    // Rows of feature classes are features with shapes.
    virtual bool HasShapes() const { return false; }
    virtual Ref<Geometry> ShapeAt(std::size_t position) const;
    // True when `name` names this table's geometry field (an empty name names it too).
    virtual bool IsGeometryField(const std::string& name) const;
    // Positions, ascending, of the rows whose shapes satisfy the spatial part of a filter.
    virtual std::vector<std::size_t> SpatialMatches(const SpatialFilter& filter) const;

    // The positions of the rows that satisfy the filter (all when there is none), ascending;
    // the where clause is checked first.
    std::vector<std::size_t> Matches(const QueryFilter* filter) const;
    // A new row object for a position (a Feature for tables with shapes).
    Ref<Row> MakeRow(std::size_t position) const;
    // A cursor over the given positions, further narrowed by the filter's where clause.
    Ref<Cursor> CursorOver(std::vector<std::size_t> positions, const QueryFilter* filter, bool recycling) const;

protected:
    long OIDFieldIndex() const { return oidField_; }

private:
    std::string name_;
    Ref<host::Fields> fields_;
    long oidField_;
    std::size_t width_;
    std::vector<Value> cells_;  // row after row, width_ values each
    std::vector<std::int64_t> oids_;
    bool oidsAscending_ = true;
    std::unordered_map<std::int64_t, std::size_t> oidIndex_;  // used once ids are out of order

    // Equality lookups for where clauses without a spatial part, so that a query costs what
    // it finds rather than the table's size: per field queried, (hash of the value, position)
    // pairs in order, made on the field's first query and again once rows have been added.
    // Every candidate is checked with the clause itself, so the answer is the scan's.
    struct ValueIndex {
        bool built = false;
        std::size_t rows = 0;
        std::vector<std::pair<std::uint64_t, std::size_t>> entries;
    };
    std::vector<std::size_t> IndexedMatches(const WhereClause& where) const;
    mutable std::map<long, ValueIndex> valueIndexes_;
};

}  // namespace host
