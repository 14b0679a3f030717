#include "host/data/JoinedTable.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "host/core/RuntimeError.h"

namespace host {

namespace {

constexpr std::size_t kNoMatch = std::numeric_limits<std::size_t>::max();

// A text that two key values share exactly when they join: numbers by value, whatever
// their kind; texts, dates and blobs as they are; each kind apart from the others.
std::optional<std::string> JoinKey(const Value& value) {
    if (value.IsNull()) return std::nullopt;
    std::string key;
    char buffer[64];
    auto appendNumber = [&](auto number) {
        key.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, number).ptr);
    };
    if (value.IsNumber()) {
        double d = value.AsDouble();
        if (value.IsInteger() || (d == std::trunc(d) && std::fabs(d) < 9.2e18)) {
            key += 'n';
            appendNumber(value.IsInteger() ? value.AsInteger() : static_cast<std::int64_t>(d));
        } else {
            key += 'd';
            appendNumber(d);
        }
    } else if (value.IsText()) {
        key += 's';
        key += value.AsText();
    } else if (value.IsDate()) {
        const Date& date = value.AsDate();
        key += 't';
        for (int part : {date.year, date.month, date.day, date.hour, date.minute}) {
            appendNumber(part);
            key += ' ';
        }
        appendNumber(date.second);
    } else {
        const Blob& blob = value.AsBlob();
        key += 'b';
        key.append(blob.begin(), blob.end());
    }
    return key;
}

long KeyField(const Table& table, const std::string& name) {
    long index = table.FindField(name);
    if (index < 0) Raise(err::InvalidProcedureCall, "The table " + table.Name() + " has no field " + name + ".");
    return index;
}

}  // namespace

JoinedTable::JoinedTable(Ref<Table> source, const std::string& sourceKey, Ref<Table> joined,
                         const std::string& joinedKey)
    : Table(source->Name(), QualifiedFields(*source, *joined),
            source->HasOID() ? source->FindField(source->OIDFieldName()) : -1),
      source_(std::move(source)),
      joined_(std::move(joined)),
      sourceFieldCount_(source_->Fields()->FieldCount()) {
    long sourceKeyField = KeyField(*source_, sourceKey);
    long joinedKeyField = KeyField(*joined_, joinedKey);

    std::unordered_map<std::string, std::size_t> first;  // key -> first joined row with it
    first.reserve(joined_->Size());
    for (std::size_t i = 0; i < joined_->Size(); ++i) {
        if (auto key = JoinKey(joined_->ValueAt(i, joinedKeyField))) first.emplace(std::move(*key), i);
    }
    match_.assign(source_->Size(), kNoMatch);
    for (std::size_t i = 0; i < source_->Size(); ++i) {
        if (auto key = JoinKey(source_->ValueAt(i, sourceKeyField))) {
            auto it = first.find(*key);
            if (it != first.end()) match_[i] = it->second;
        }
    }
}

Ref<Fields> JoinedTable::QualifiedFields(const Table& source, const Table& joined) {
    auto fields = New<host::Fields>();
    for (const Table* table : {&source, &joined}) {
        Ref<host::Fields> own = table->Fields();
        for (long i = 0; i < own->FieldCount(); ++i) {
            Ref<Field> field = own->Field(i);
            fields->AddField(New<Field>(table->Name() + "." + field->Name(), field->Type(),
                                        table->Name() + "." + field->AliasName()));
        }
    }
    return fields;
}

std::string JoinedTable::OIDFieldName() const {
    return source_->HasOID() ? source_->Name() + "." + source_->OIDFieldName() : std::string();
}

Value JoinedTable::ValueAt(std::size_t position, long field) const {
    if (field < 0 || field >= Fields()->FieldCount() || position >= match_.size()) Raise(err::SubscriptOutOfRange);
    if (field < sourceFieldCount_) return source_->ValueAt(position, field);
    std::size_t joinedPosition = match_[position];
    if (joinedPosition == kNoMatch) return {};
    return joined_->ValueAt(joinedPosition, field - sourceFieldCount_);
}

bool JoinedTable::IsGeometryField(const std::string& name) const {
    if (!source_->HasShapes()) return false;
    if (source_->IsGeometryField(name)) return true;
    long index = FindField(name);
    return index >= 0 && index < sourceFieldCount_ && source_->IsGeometryField(source_->Fields()->Field(index)->Name());
}

std::vector<std::size_t> JoinedTable::SpatialMatches(const SpatialFilter& filter) const {
    return source_->SpatialMatches(filter);
}

}  // namespace host
