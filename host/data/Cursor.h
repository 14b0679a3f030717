#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "host/core/Ref.h"

namespace host {

class Fields;
class Row;
class Table;
class WhereClause;

// Walks the rows a search found, in table order. NextRow returns nothing at the end.
class Cursor {
public:
    Cursor(Ref<host::Table> table, std::vector<std::size_t> positions, std::shared_ptr<const WhereClause> where,
           bool recycling);
    virtual ~Cursor();
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    Ref<Row> NextRow();
    Ref<host::Fields> Fields() const;
    long FindField(const std::string& name) const;

private:
    Ref<host::Table> table_;
    std::vector<std::size_t> positions_;
    std::size_t next_ = 0;
    std::shared_ptr<const WhereClause> where_;
    bool recycling_;
    Ref<Row> recycled_;
};

}  // namespace host
