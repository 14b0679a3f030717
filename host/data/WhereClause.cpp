#include "host/data/WhereClause.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "host/core/RuntimeError.h"
#include "host/data/Field.h"
#include "host/data/Table.h"

namespace host {

namespace {

[[noreturn]] void Unreadable(const std::string& clause) {
    Raise(err::AutomationError, "An invalid SQL statement was used: " + clause);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A number as the clause writes it: optional sign, digits with an optional point, an
// optional exponent. Nothing else.
bool ReadNumber(const std::string& text, double& out) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        std::size_t exponent = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0) ++i, ++exponent;
        if (exponent == 0) return false;
    }
    if (i != text.size()) return false;
    const char* begin = text.data() + (text[0] == '+' ? 1 : 0);
    auto result = std::from_chars(begin, text.data() + text.size(), out);
    return result.ec == std::errc() && std::isfinite(out);
}

}  // namespace

WhereClause::WhereClause(const std::string& clause, const Table& table) {
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < clause.size() && IsBlank(clause[i])) ++i;
    };

    // The field: a plain name (Table.Field allowed) or a name in double quotes.
    skipBlanks();
    std::string name;
    if (i < clause.size() && clause[i] == '"') {
        std::size_t close = clause.find('"', i + 1);
        if (close == std::string::npos) Unreadable(clause);
        name = clause.substr(i + 1, close - i - 1);
        i = close + 1;
    } else {
        // A plain name runs up to the equals sign, so names with blanks or other marks are
        // read as the table names them.
        std::size_t equals = clause.find('=', i);
        if (equals == std::string::npos) Unreadable(clause);
        name = clause.substr(i, equals - i);
        while (!name.empty() && IsBlank(name.back())) name.pop_back();
        i += name.size();
    }
    if (name.empty()) Unreadable(clause);

    skipBlanks();
    if (i >= clause.size() || clause[i] != '=') Unreadable(clause);
    ++i;
    skipBlanks();

    bool quoted = i < clause.size() && clause[i] == '\'';
    std::string literal;
    if (quoted) {
        ++i;
        bool closed = false;
        while (i < clause.size()) {
            if (clause[i] == '\'') {
                if (i + 1 < clause.size() && clause[i + 1] == '\'') {
                    literal += '\'';
                    i += 2;
                    continue;
                }
                ++i;
                closed = true;
                break;
            }
            literal += clause[i++];
        }
        if (!closed) Unreadable(clause);
    } else {
        while (i < clause.size() && !IsBlank(clause[i])) literal += clause[i++];
        if (literal.empty()) Unreadable(clause);
    }
    skipBlanks();
    if (i != clause.size()) Unreadable(clause);

    field_ = table.FindField(name);
    if (field_ < 0) Raise(err::AutomationError, "An invalid SQL statement was used: the field " + name + " does not exist.");
    Ref<Field> field = table.Fields()->Field(field_);
    if (field->Type() == FieldType::String) {
        if (!quoted) Raise(err::AutomationError, "An invalid SQL statement was used: the text field " + name + " needs a quoted value.");
        operand_ = Value(std::move(literal));
    } else if (field->IsNumeric()) {
        double number = 0;
        if (quoted || !ReadNumber(literal, number)) {
            Raise(err::AutomationError,
                  "An invalid SQL statement was used: " + literal + " is not a number for the field " + name + ".");
        }
        operand_ = Value(number);
        // Whole numbers are read exactly, also beyond the 53 bits a double holds.
        const char* begin = literal.data() + (literal[0] == '+' ? 1 : 0);
        const char* end = literal.data() + literal.size();
        auto exact = std::from_chars(begin, end, integer_);
        integral_ = exact.ec == std::errc() && exact.ptr == end;
        if (!integral_ && number == std::trunc(number) && std::fabs(number) < 9.2e18) {
            integral_ = true;
            integer_ = static_cast<std::int64_t>(number);
        }
    } else {
        Raise(err::AutomationError, "An invalid SQL statement was used: the field " + name + " cannot be compared.");
    }
}

bool WhereClause::Matches(const Table& table, std::size_t position) const {
    Value value = table.ValueAt(position, field_);
    if (value.IsNull()) return false;
    if (operand_.IsText()) return value.IsText() && value.AsText() == operand_.AsText();
    if (value.IsInteger()) return integral_ && value.AsInteger() == integer_;
    if (const auto* single = std::get_if<float>(&value.variant())) {
        // A single is written with the digits of a single, so it is compared as one.
        return *single == static_cast<float>(operand_.AsDouble());
    }
    return value.IsNumber() && value.AsDouble() == operand_.AsDouble();
}

}  // namespace host
