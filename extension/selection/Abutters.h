#pragma once
// The Abutters module: the selection, buffer and drawing routines of the buffer-and-select
// pipeline. Every routine works on the focus map and active view of gMxDocument, traps its
// own run-time errors (reported with the source name "Abutters") and keeps nothing between
// calls. Layer names and field names are compared ignoring case.

#include <string>

#include "host/core/Ref.h"

namespace host {
class FeatureCursor;
class Geometry;
class GeometryBag;
}  // namespace host

// Selects the features of the layer `LayerName` (found as FindLayer finds it) whose field
// `FieldName` equals `Value`: Mode 1 clears the whole map's selection first (a new
// selection), any other mode adds to it. The where clause is built from the field's type
// (text values are quoted, a single quote inside them doubled). Returns a cursor over the
// matching rows of the layer's display table, or nothing after one of its messages
// ("Feature Not Found", the field-type messages) or a trapped failure; the map's selection
// is then unchanged.
host::Ref<host::FeatureCursor> SelectFeaturesOLD(const std::string& LayerName, const std::string& FieldName,
                                                 const std::string& Value, short Mode);

// Adds to the map's selection the features of the layer `LayerName` (found as FindLayer
// finds it) that `SearchPolygon` contains (Mode 1) or intersects (any other mode). Nothing
// is cleared.
void SelectWithinPolyOLD(const std::string& LayerName, const host::Ref<host::Geometry>& SearchPolygon, short Mode);

// One magenta element each, added to the map's graphics without a redraw: a solid polygon
// with a 1.0 outline, a 2.0 line, a circle marker of size 15.
void DrawFilledPolygonOLD(const host::Ref<host::Geometry>& Geom);
void DrawFilledPolyLineOLD(const host::Ref<host::Geometry>& Geom);
void DrawFilledPointOLD(const host::Ref<host::Geometry>& Geom);

// The buffer of every selected feature of the focus map (all layers, in the order the map's
// feature selection gives them) by `Distance` map units, one polygon each, in a new bag.
// Nothing when the map has no selection ("Sorry... No features found") or a host call fails.
// The text argument is not read.
host::Ref<host::GeometryBag> BufferPolysOLD(double Distance, const std::string& unused);

// A hollow magenta outline 3.0 wide around the polygon, then a full redraw of the view.
void DrawPolygonOLD(const host::Ref<host::Geometry>& Geom);
