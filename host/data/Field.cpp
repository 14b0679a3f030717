#include "host/data/Field.h"

namespace host {

Field::Field(std::string name, long type, std::string aliasName)
    : name_(std::move(name)), aliasName_(aliasName.empty() ? name_ : std::move(aliasName)), type_(type) {}

bool Field::IsNumeric() const {
    switch (type_) {
    case FieldType::SmallInteger:
    case FieldType::Integer:
    case FieldType::Single:
    case FieldType::Double:
    case FieldType::OID: return true;
    default: return false;
    }
}

}  // namespace host
