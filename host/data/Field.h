#pragma once

#include <string>

namespace host {

// The host's field type codes.
namespace FieldType {
inline constexpr long SmallInteger = 0;
inline constexpr long Integer = 1;
inline constexpr long Single = 2;
inline constexpr long Double = 3;
inline constexpr long String = 4;
inline constexpr long Date = 5;
inline constexpr long OID = 6;
inline constexpr long Geometry = 7;
inline constexpr long Blob = 8;
inline constexpr long Raster = 9;
inline constexpr long GUID = 10;
inline constexpr long GlobalID = 11;
inline constexpr long XML = 12;
}  // namespace FieldType

class Field {
public:
    Field(std::string name, long type, std::string aliasName = {});

    const std::string& Name() const { return name_; }
    const std::string& AliasName() const { return aliasName_; }
    long Type() const { return type_; }
    bool IsNumeric() const;  // small integer, integer, single, double, object id

private:
    std::string name_;
    std::string aliasName_;
    long type_;
};

}  // namespace host
