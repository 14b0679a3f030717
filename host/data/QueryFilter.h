#pragma once

#include <map>
#include <string>

#include "host/core/Ref.h"

namespace host {

class SpatialReference;

// An attribute query. The where clause the host reads: empty (every row), or
// `field = number` or `field = 'text'`, where two single quotes inside the text stand for
// one, the field is named as the table names it (also "Table.Field" on a display table, or
// in double quotes), and text is compared exactly. Anything else is rejected when the
// filter is used.
class QueryFilter {
public:
    QueryFilter() = default;
    virtual ~QueryFilter();
    QueryFilter(const QueryFilter&) = delete;
    QueryFilter& operator=(const QueryFilter&) = delete;

    const std::string& WhereClause() const { return whereClause_; }
    void SetWhereClause(std::string clause) { whereClause_ = std::move(clause); }

    // The spatial reference the shapes of a field should come out in (kept; the host does
    // not reproject).
    Ref<SpatialReference> OutputSpatialReference(const std::string& field) const;
    void SetOutputSpatialReference(const std::string& field, Ref<SpatialReference> reference);

private:
    std::string whereClause_;
    std::map<std::string, Ref<SpatialReference>> outputReferences_;
};

}  // namespace host
