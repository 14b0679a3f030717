#pragma once
// A table of a map that is not drawn (a table without geometry, such as an owners list),
// by name. Its table is Nothing when its source could not be opened; the map document still
// keeps it.

#include <string>

#include "host/carto/SourceName.h"
#include "host/core/Ref.h"

namespace host {

class Table;

class StandaloneTable {
public:
    StandaloneTable(std::string name, Ref<host::Table> table, SourceName source = {})
        : name_(std::move(name)), table_(std::move(table)), source_(std::move(source)) {}

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    Ref<host::Table> Table() const { return table_; }
    const SourceName& Source() const { return source_; }

private:
    std::string name_;
    Ref<host::Table> table_;
    SourceName source_;
};

}  // namespace host
