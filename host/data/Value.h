#pragma once
// A field value of a row: Null, an integer, a single or double, a text, a date or a blob.
// Text() is the platform's conversion of a value to a string.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace host {

struct Date {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    double second = 0;
    bool operator==(const Date&) const = default;
};

using Blob = std::vector<std::uint8_t>;

class Value {
public:
    using Variant = std::variant<std::monostate, std::int64_t, float, double, std::string, Date, Blob>;

    Value() = default;                            // Null
    Value(std::int64_t v) : v_(v) {}              // NOLINT(google-explicit-constructor)
    Value(int v) : v_(std::int64_t{v}) {}         // NOLINT(google-explicit-constructor)
    Value(float v) : v_(v) {}                     // NOLINT(google-explicit-constructor)
    Value(double v) : v_(v) {}                    // NOLINT(google-explicit-constructor)
    Value(std::string v) : v_(std::move(v)) {}    // NOLINT(google-explicit-constructor)
    Value(const char* v) : v_(std::string(v)) {}  // NOLINT(google-explicit-constructor)
    Value(Date v) : v_(v) {}                      // NOLINT(google-explicit-constructor)
    Value(Blob v) : v_(std::move(v)) {}           // NOLINT(google-explicit-constructor)

    bool IsNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool IsInteger() const { return std::holds_alternative<std::int64_t>(v_); }
    bool IsNumber() const;  // integer, single or double
    bool IsText() const { return std::holds_alternative<std::string>(v_); }
    bool IsDate() const { return std::holds_alternative<Date>(v_); }
    bool IsBlob() const { return std::holds_alternative<Blob>(v_); }

    // Readers; Null raises error 94, a value of another kind error 13.
    std::int64_t AsInteger() const;
    double AsDouble() const;  // any number
    const std::string& AsText() const;
    const Date& AsDate() const;
    const Blob& AsBlob() const;

    // The value as text: integers in decimal; singles and doubles in the shortest form that
    // reads back to the same value, with a point ("1024", "0.1", "-2.5", "1e+21"); dates
    // as M/D/YYYY, followed by the time h:mm:ss AM/PM when it is not midnight; texts as
    // they are; a blob's bytes as they are. Null raises error 94.
    std::string Text() const;

    const Variant& variant() const { return v_; }

    // Same kind and same value (numbers of different kinds compare by value; Null equals
    // only Null).
    bool operator==(const Value& other) const;

private:
    Variant v_;
};

}  // namespace host
