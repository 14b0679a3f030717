#include "host/carto/FeatureLayer.h"

#include <vector>

#include "host/core/RuntimeError.h"
#include "host/data/FeatureClass.h"
#include "host/data/JoinedTable.h"
#include "host/data/QueryFilter.h"
#include "host/data/SelectionSet.h"

namespace host {

FeatureLayer::FeatureLayer() : selection_(New<host::SelectionSet>(nullptr)) {}

void FeatureLayer::SetFeatureClass(const Ref<host::FeatureClass>& featureClass) {
    featureClass_ = featureClass;
    displayTable_ = nullptr;
    join_.reset();
    selection_ = New<host::SelectionSet>(featureClass_);
    SelectionChanged();
}

Ref<host::Table> FeatureLayer::DisplayTable() const {
    if (!featureClass_) Raise(err::ObjectNotSet);
    if (displayTable_) return displayTable_;
    return featureClass_;
}

void FeatureLayer::SetJoin(JoinSpec join, const Ref<Table>& table) {
    if (!featureClass_) Raise(err::ObjectNotSet);
    Ref<host::Table> joined;
    if (table) joined = New<JoinedTable>(featureClass_, join.key, table, join.tableKey);
    displayTable_ = joined;
    join_ = std::move(join);
}

void FeatureLayer::SetSelectionSet(const Ref<host::SelectionSet>& selection) {
    if (!selection) Raise(err::ObjectNotSet);
    selection_ = selection;
    SelectionChanged();
}

void FeatureLayer::SelectFeatures(const Ref<QueryFilter>& filter, long method, bool justOne) {
    Ref<host::Table> table = DisplayTable();
    // The display table's rows are the feature class's rows, so its ids are the features'.
    std::vector<std::size_t> positions = table->Matches(filter.raw());
    if (justOne && positions.size() > 1) positions.erase(positions.begin() + 1, positions.end());
    std::vector<std::int64_t> ids;
    ids.reserve(positions.size());
    for (std::size_t position : positions) ids.push_back(table->OIDAt(position));
    auto found = New<host::SelectionSet>(featureClass_, std::move(ids));
    selection_ = selection_->Combine(found, method);
    SelectionChanged();
}

void FeatureLayer::Clear() {
    selection_ = New<host::SelectionSet>(featureClass_);
    SelectionChanged();
}

void FeatureLayer::SelectionChanged() const {
    if (listener_) listener_();
}

}  // namespace host
