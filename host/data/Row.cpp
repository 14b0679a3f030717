#include "host/data/Row.h"

#include "host/core/RuntimeError.h"
#include "host/data/Feature.h"
#include "host/data/Table.h"
#include "host/geometry/Geometry.h"

namespace host {

Row::Row(Ref<host::Table> table, std::size_t position) : table_(std::move(table)), position_(position) {}

Row::~Row() = default;

Value Row::Value(long index) const { return table_->ValueAt(position_, index); }

Ref<Fields> Row::Fields() const { return table_->Fields(); }

bool Row::HasOID() const { return table_->HasOID(); }

std::int64_t Row::OID() const {
    if (!table_->HasOID()) Raise(err::InvalidProcedureCall, "The table " + table_->Name() + " has no object id field.");
    return table_->OIDAt(position_);
}

Ref<Geometry> Feature::Shape() const { return Table()->ShapeAt(Position()); }

}  // namespace host
