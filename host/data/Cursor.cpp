#include "host/data/Cursor.h"

#include "host/data/Feature.h"
#include "host/data/FeatureCursor.h"
#include "host/data/Table.h"
#include "host/data/WhereClause.h"

namespace host {

Cursor::Cursor(Ref<host::Table> table, std::vector<std::size_t> positions, std::shared_ptr<const WhereClause> where,
               bool recycling)
    : table_(std::move(table)), positions_(std::move(positions)), where_(std::move(where)), recycling_(recycling) {}

Cursor::~Cursor() = default;

Ref<Row> Cursor::NextRow() {
    while (next_ < positions_.size()) {
        std::size_t position = positions_[next_++];
        if (where_ && !where_->Matches(*table_, position)) continue;
        if (!recycling_) return table_->MakeRow(position);
        if (recycled_) {
            recycled_->MoveTo(position);
        } else {
            recycled_ = table_->MakeRow(position);
        }
        return recycled_;
    }
    return {};
}

Ref<Fields> Cursor::Fields() const { return table_->Fields(); }

long Cursor::FindField(const std::string& name) const { return table_->FindField(name); }

Ref<Feature> FeatureCursor::NextFeature() {
    Ref<Row> row = NextRow();
    if (!row) return {};
    return As<Feature>(row);
}

}  // namespace host
