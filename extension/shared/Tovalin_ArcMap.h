#pragma once
// Map, layer and list helpers over the focus map of the map document held in the shared
// state (gMxDocument).
//
// The walk that FindLayer, LoadMapLayers and LoadLayerFields share: the map's top-level
// layers in order; a group layer is not itself a candidate, its direct members come in its
// place (a group inside a group is skipped with everything in it); of these only feature
// layers count, every other kind of layer is passed over. Names compare ignoring case.

#include <string>

#include "host/core/Ref.h"

namespace host {
class ComboBox;
class FeatureLayer;
class ListBox;
class QueryFilter;
}  // namespace host

// The last feature layer in walk order whose name equals the given one, or nothing. The
// walk never stops early. Failures pass to the caller.
host::Ref<host::FeatureLayer> LastFeatureLayerNamed(const std::string& layerName);

// The feature layer of that name, the last one met when several share it; nothing when no
// layer has the name. On a run-time failure shows "Error: Could not find layer " and the
// name, and returns nothing.
host::Ref<host::FeatureLayer> FindLayer(const std::string& layerName);

// Fills the combo with the names of the map's feature layers, in walk order (repeated
// names each time). On a run-time failure shows "Error loading map layers"; the names added
// so far stay.
void LoadMapLayers(host::ComboBox& combo);

// Fills the combo with the layer's field names in table order, less the geometry field:
// with `joined` those of the layer's display table (joined fields as "Table.Field"),
// without it those of its feature class. No such layer leaves the combo empty. Fails
// silently.
void LoadLayerFields(const std::string& layerName, host::ComboBox& combo, bool joined);

// Fills the list with the field's distinct values other than Null and the empty text, in
// the order the layer's display table gives them (the filter's rows, or all rows with
// nothing), each as its text; values that differ only in case are both listed. The
// status bar's progress bar counts the features of the feature class and steps once more
// than the rows read; it is shown only with `showProgress` and hidden at the end. An empty
// layer or field name, a missing layer or field stop quietly; the geometry field shows
// "Shape field is not accessible". A run-time failure hides the bar and goes to the
// unexpected-error report.
void LoadListWithUniqueFieldValues(const std::string& layerName, const std::string& fieldName, host::ListBox& list,
                                   bool showProgress, const host::Ref<host::QueryFilter>& filter);

// True for "Shape" and for any name ending in ".Shape", ignoring case.
bool IsShapeField(const std::string& fieldName);
