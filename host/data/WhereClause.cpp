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

[[noreturn]] void NotANumber(const std::string& name, const std::string& literal) {
    Raise(err::AutomationError,
          "An invalid SQL statement was used: " + literal + " is not a number for the field " + name + ".");
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

// A value as the clause writes it: a number or a name as it stands, or a text in single quotes.
struct Literal {
    std::string text;
    bool quoted = false;
};

// Reads a clause from left to right; anything it cannot read is a run-time error naming the
// whole clause.
class ClauseReader {
public:
    explicit ClauseReader(const std::string& clause) : clause_(clause) {}

    // The field: a plain name (Table.Field allowed) or a name in double quotes.
    std::string ReadFieldName() {
        SkipBlanks();
        std::string name = At('"') ? QuotedName() : PlainName();
        if (name.empty()) Unreadable();
        return name;
    }

    void ReadEqualsSign() {
        SkipBlanks();
        if (!At('=')) Unreadable();
        ++i_;
    }

    Literal ReadLiteral() {
        SkipBlanks();
        Literal literal;
        literal.quoted = At('\'');
        literal.text = literal.quoted ? QuotedText() : Word();
        return literal;
    }

    // Nothing but blanks may follow.
    void ReadEnd() {
        SkipBlanks();
        if (i_ != clause_.size()) Unreadable();
    }

private:
    bool At(char c) const { return i_ < clause_.size() && clause_[i_] == c; }
    void SkipBlanks() {
        while (i_ < clause_.size() && IsBlank(clause_[i_])) ++i_;
    }
    [[noreturn]] void Unreadable() const { host::Unreadable(clause_); }

    std::string QuotedName() {
        const std::size_t close = clause_.find('"', i_ + 1);
        if (close == std::string::npos) Unreadable();
        std::string name = clause_.substr(i_ + 1, close - i_ - 1);
        i_ = close + 1;
        return name;
    }

    // A plain name runs up to the equals sign, so names with blanks or other marks are read
    // as the table names them.
    std::string PlainName() {
        const std::size_t equals = clause_.find('=', i_);
        if (equals == std::string::npos) Unreadable();
        std::string name = clause_.substr(i_, equals - i_);
        while (!name.empty() && IsBlank(name.back())) name.pop_back();
        i_ += name.size();
        return name;
    }

    // A text in single quotes; two single quotes stand for one.
    std::string QuotedText() {
        std::string text;
        for (++i_; i_ < clause_.size(); ++i_) {
            if (clause_[i_] != '\'') {
                text += clause_[i_];
            } else if (i_ + 1 < clause_.size() && clause_[i_ + 1] == '\'') {
                text += '\'';
                ++i_;
            } else {
                ++i_;
                return text;
            }
        }
        Unreadable();
    }

    // A number (or anything else unquoted) runs up to the next blank.
    std::string Word() {
        std::string word;
        while (i_ < clause_.size() && !IsBlank(clause_[i_])) word += clause_[i_++];
        if (word.empty()) Unreadable();
        return word;
    }

    const std::string& clause_;
    std::size_t i_ = 0;
};

}  // namespace

WhereClause::WhereClause(const std::string& clause, const Table& table) {
    ClauseReader reader(clause);
    const std::string name = reader.ReadFieldName();
    reader.ReadEqualsSign();
    const Literal literal = reader.ReadLiteral();
    reader.ReadEnd();
    Bind(name, literal.text, literal.quoted, table);
}

// Binds the value to the field: a text to a text field, a number to a numeric one.
void WhereClause::Bind(const std::string& name, std::string literal, bool quoted, const Table& table) {
    field_ = table.FindField(name);
    if (field_ < 0)
        Raise(err::AutomationError, "An invalid SQL statement was used: the field " + name + " does not exist.");
    Ref<Field> field = table.Fields()->Field(field_);
    if (field->Type() == FieldType::String) {
        if (!quoted)
            Raise(err::AutomationError,
                  "An invalid SQL statement was used: the text field " + name + " needs a quoted value.");
        operand_ = Value(std::move(literal));
    } else if (field->IsNumeric()) {
        if (quoted) NotANumber(name, literal);
        BindNumber(name, literal);
    } else {
        Raise(err::AutomationError, "An invalid SQL statement was used: the field " + name + " cannot be compared.");
    }
}

void WhereClause::BindNumber(const std::string& name, const std::string& literal) {
    double number = 0;
    if (!ReadNumber(literal, number)) NotANumber(name, literal);
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
