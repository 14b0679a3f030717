#include "host/data/Fields.h"

#include "host/core/RuntimeError.h"

namespace host {

namespace {

// Folds one character starting at s[i] and advances i: ASCII letters and the Latin-1
// letters of UTF-8 (U+00C0 .. U+00DE, not U+00D7) to lower case.
unsigned Fold(const std::string& s, std::size_t& i) {
    auto c = static_cast<unsigned char>(s[i++]);
    if (c >= 'A' && c <= 'Z') return c + 32u;
    if (c == 0xC3 && i < s.size()) {
        auto next = static_cast<unsigned char>(s[i]);
        if (next >= 0x80 && next <= 0x9E && next != 0x97) next = static_cast<unsigned char>(next + 0x20);
        ++i;
        return 0xC300u | next;
    }
    return c;
}

}  // namespace

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (Fold(a, i) != Fold(b, j)) return false;
    }
    return i == a.size() && j == b.size();
}

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
