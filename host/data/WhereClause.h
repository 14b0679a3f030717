#pragma once
// The where clauses the host reads, checked against a table's fields once and then tested
// row by row.

#include <cstddef>
#include <cstdint>
#include <string>

#include "host/data/Value.h"

namespace host {

class Table;

class WhereClause {
public:
    // Reads `field = number` or `field = 'text'` (two single quotes stand for one). Raises a
    // run-time error for anything else, for a field the table lacks, for a number given for
    // a text field or text for a numeric one, and for fields that cannot be compared.
    WhereClause(const std::string& clause, const Table& table);

    long FieldIndex() const { return field_; }
    const Value& Operand() const { return operand_; }

    // True when the row at `position` satisfies the clause (Null never does).
    bool Matches(const Table& table, std::size_t position) const;

private:
    void Bind(const std::string& name, std::string literal, bool quoted, const Table& table);
    void BindNumber(const std::string& name, const std::string& literal);

    long field_ = -1;
    Value operand_;
    bool integral_ = false;  // numeric operand that is a whole number
    std::int64_t integer_ = 0;
};

}  // namespace host
