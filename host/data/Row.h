#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "host/core/Ref.h"
#include "host/data/Value.h"

namespace host {

class Fields;
class Table;

// One row of a table, read in place: it holds its table and its position there.
class Row {
public:
    Row(Ref<host::Table> table, std::size_t position);
    virtual ~Row();
    Row(const Row&) = delete;
    Row& operator=(const Row&) = delete;

    // The value in field `index` (Null where the row has none; the geometry field reads
    // Null, its value is the feature's Shape). Error 9 outside the fields.
    host::Value Value(long index) const;
    Ref<host::Fields> Fields() const;
    Ref<host::Table> Table() const { return table_; }

    bool HasOID() const;
    std::int64_t OID() const;  // error 5 when the table has no object id field

    // Where the row stands in its table; a recycling cursor moves it.
    std::size_t Position() const { return position_; }
    void MoveTo(std::size_t position) { position_ = position; }

private:
    Ref<host::Table> table_;
    std::size_t position_;
};

}  // namespace host
