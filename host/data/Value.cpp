#include "host/data/Value.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "host/core/RuntimeError.h"

namespace host {

namespace {

template <class Float> std::string Shortest(Float v) {
    if (v == 0) return "0";  // also for -0
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
    // Plain decimal notation for the values people type and read (700000, 0.25); the
    // exponent form only where plain digits would run long.
    const Float magnitude = std::fabs(v);
    const bool plain = magnitude >= Float(1e-5) && magnitude < Float(1e15);
    char buffer[400];
    auto result = plain ? std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed)
                        : std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

std::string DateText(const Date& d) {
    char buffer[64];
    int length = std::snprintf(buffer, sizeof buffer, "%d/%d/%d", d.month, d.day, d.year);
    std::string text(buffer, static_cast<std::size_t>(length));
    int second = static_cast<int>(std::floor(d.second));
    if (d.hour != 0 || d.minute != 0 || second != 0) {
        int hour12 = d.hour % 12 == 0 ? 12 : d.hour % 12;
        length = std::snprintf(buffer, sizeof buffer, " %d:%02d:%02d %s", hour12, d.minute, second,
                               d.hour < 12 ? "AM" : "PM");
        text.append(buffer, static_cast<std::size_t>(length));
    }
    return text;
}

[[noreturn]] void Mismatch(const Value& v) {
    if (v.IsNull()) Raise(err::InvalidUseOfNull);
    Raise(err::TypeMismatch);
}

// Exact comparison of a whole number with a double.
bool IntegerEquals(std::int64_t i, double d) {
    if (!(d >= -9223372036854775808.0 && d < 9223372036854775808.0)) return false;
    if (d != std::trunc(d)) return false;
    return static_cast<std::int64_t>(d) == i;
}

}  // namespace

bool Value::IsNumber() const {
    return std::holds_alternative<std::int64_t>(v_) || std::holds_alternative<float>(v_) ||
           std::holds_alternative<double>(v_);
}

std::int64_t Value::AsInteger() const {
    if (const auto* i = std::get_if<std::int64_t>(&v_)) return *i;
    Mismatch(*this);
}

double Value::AsDouble() const {
    if (const auto* i = std::get_if<std::int64_t>(&v_)) return static_cast<double>(*i);
    if (const auto* f = std::get_if<float>(&v_)) return static_cast<double>(*f);
    if (const auto* d = std::get_if<double>(&v_)) return *d;
    Mismatch(*this);
}

const std::string& Value::AsText() const {
    if (const auto* s = std::get_if<std::string>(&v_)) return *s;
    Mismatch(*this);
}

const Date& Value::AsDate() const {
    if (const auto* d = std::get_if<Date>(&v_)) return *d;
    Mismatch(*this);
}

const Blob& Value::AsBlob() const {
    if (const auto* b = std::get_if<Blob>(&v_)) return *b;
    Mismatch(*this);
}

std::string Value::Text() const {
    struct Visitor {
        std::string operator()(std::monostate) const { Raise(err::InvalidUseOfNull); }
        std::string operator()(std::int64_t i) const { return std::to_string(i); }
        std::string operator()(float f) const { return Shortest(f); }
        std::string operator()(double d) const { return Shortest(d); }
        std::string operator()(const std::string& s) const { return s; }
        std::string operator()(const Date& d) const { return DateText(d); }
        std::string operator()(const Blob& b) const { return std::string(b.begin(), b.end()); }
    };
    return std::visit(Visitor{}, v_);
}

bool Value::operator==(const Value& other) const {
    if (IsNumber() && other.IsNumber()) {
        if (IsInteger() && other.IsInteger()) return AsInteger() == other.AsInteger();
        if (IsInteger()) return IntegerEquals(AsInteger(), other.AsDouble());
        if (other.IsInteger()) return IntegerEquals(other.AsInteger(), AsDouble());
        return AsDouble() == other.AsDouble();
    }
    return v_ == other.v_;
}

}  // namespace host
