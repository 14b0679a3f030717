#pragma once

#include <string>
#include <vector>

#include "host/core/Ref.h"
#include "host/core/Text.h"
#include "host/data/Field.h"

namespace host {

class Fields {
public:
    long FieldCount() const { return static_cast<long>(fields_.size()); }
    Ref<host::Field> Field(long index) const;  // error 9 outside 0 .. FieldCount - 1
    // Index of the first field with this name, ignoring case; -1 when there is none.
    long FindField(const std::string& name) const;

    void AddField(Ref<host::Field> field);  // error 91 for an empty reference

private:
    std::vector<Ref<host::Field>> fields_;
};

}  // namespace host
