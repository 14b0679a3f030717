#pragma once
// A layer that draws a feature class. Its display table is the feature class, or, while the
// layer has a join, the joined table (the class's fields, then the other table's, all named
// "Table.Field"). Its feature selection is a set of the feature class's object ids.

#include <functional>
#include <optional>
#include <string>

#include "host/carto/JoinSpec.h"
#include "host/carto/Layer.h"
#include "host/core/Ref.h"

namespace host {

class FeatureClass;
class QueryFilter;
class SelectionSet;
class Table;

class FeatureLayer : public Layer {
public:
    FeatureLayer();

    Ref<host::FeatureClass> FeatureClass() const { return featureClass_; }
    // Drops the layer's join and selection.
    void SetFeatureClass(const Ref<host::FeatureClass>& featureClass);

    // The table the layer shows: the joined table while there is a join, else the feature
    // class. Error 91 when the layer has no feature class.
    Ref<host::Table> DisplayTable() const;

    // Joins the table to the layer's features (left outer, first match). Error 91 when the
    // layer has no feature class; error 5 when a key field is missing (the layer is then
    // left as it was). With Nothing for the table the join is remembered (the map document
    // writes it back) but joins nothing.
    void SetJoin(JoinSpec join, const Ref<Table>& table);
    const std::optional<JoinSpec>& Join() const { return join_; }

    // The feature selection. Never Nothing: an empty set when nothing is selected.
    Ref<host::SelectionSet> SelectionSet() const { return selection_; }
    void SetSelectionSet(const Ref<host::SelectionSet>& selection);
    // Selects the features of the display table that the filter finds (all with Nothing)
    // and combines them with the selection: new (0) replaces it, add (1) adds to it (the
    // other combination codes of SelectionSet::Combine work too). With justOne only the
    // first feature found counts. A filter the host rejects raises before the selection
    // changes.
    void SelectFeatures(const Ref<QueryFilter>& filter, long method, bool justOne);
    // Empties the feature selection.
    void Clear();

    void SetSelectionListener(std::function<void()> listener) override { listener_ = std::move(listener); }

private:
    void SelectionChanged() const;

    Ref<host::FeatureClass> featureClass_;
    Ref<host::Table> displayTable_;
    std::optional<JoinSpec> join_;
    Ref<host::SelectionSet> selection_;
    std::function<void()> listener_;
};

}  // namespace host
