#pragma once
// A table of a map that is not drawn (a table without geometry, such as an owners list),
// by name. Its table is Nothing when its source could not be opened (Reason says why); the
// map document still keeps it.

#include <string>

#include "host/carto/SourceName.h"
#include "host/core/Ref.h"

namespace host {

class Table;

class StandaloneTable {
public:
    StandaloneTable(std::string name, Ref<host::Table> table, SourceName source = {}, std::string reason = {})
        : name_(std::move(name)), table_(std::move(table)), source_(std::move(source)), reason_(std::move(reason)) {}

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    Ref<host::Table> Table() const { return table_; }
    const SourceName& Source() const { return source_; }
    // Why the source could not be opened (empty when it was).
    const std::string& Reason() const { return reason_; }

private:
    std::string name_;
    Ref<host::Table> table_;
    SourceName source_;
    std::string reason_;
};

}  // namespace host
