#include "host/data/Fields.h"

#include "host/core/RuntimeError.h"

namespace host {

Ref<Field> Fields::Field(long index) const {
    if (index < 0 || index >= FieldCount()) Raise(err::SubscriptOutOfRange);
    return fields_[static_cast<std::size_t>(index)];
}

long Fields::FindField(const std::string& name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (EqualIgnoringCase(fields_[i]->Name(), name)) return static_cast<long>(i);
    }
    return -1;
}

void Fields::AddField(Ref<host::Field> field) {
    if (!field) Raise(err::ObjectNotSet);
    fields_.push_back(std::move(field));
}

}  // namespace host
