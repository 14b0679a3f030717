#pragma once
// A map: its layers in drawing order (top first), its standalone tables, its feature
// selection over all layers, its graphics and its coordinate system. The map is also the
// view that draws it (an ActiveView), so a document can make it its active view.

#include <string>
#include <vector>

#include "host/carto/ActiveView.h"
#include "host/core/Ref.h"

namespace host {

class BasicGraphicsLayer;
class EnumFeature;
class Envelope;
class FeatureLayer;
class Layer;
class SpatialReference;
class StandaloneTable;

class Map : public ActiveView {
public:
    Map();

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // Top-level layers, index from 0. Error 9 outside 0 to LayerCount - 1.
    long LayerCount() const { return static_cast<long>(layers_.size()); }
    Ref<host::Layer> Layer(long index) const;
    // Adds a layer below the others. The first feature layer gives the map its coordinate
    // system when it has none. Error 91 for Nothing.
    void AddLayer(const Ref<host::Layer>& layer);

    // Every feature layer, at every depth of group layers, in map order.
    std::vector<Ref<FeatureLayer>> FeatureLayers() const;

    // Selected features of all layers.
    long SelectionCount() const;
    // Empties the selection of every layer.
    void ClearSelection();
    // A new enumerator over the selected features of all layers, standing at the first.
    Ref<EnumFeature> FeatureSelection() const;

    Ref<host::BasicGraphicsLayer> BasicGraphicsLayer() const { return basicGraphicsLayer_; }

    // The map's coordinate system: the layers are in it and distances are in its units.
    Ref<host::SpatialReference> SpatialReference() const { return spatialReference_; }
    void SetSpatialReference(const Ref<host::SpatialReference>& reference) { spatialReference_ = reference; }
    // The definition the map document gave for the coordinate system ("EPSG:2249", any
    // text GDAL reads), written back with the document; empty when it named none.
    const std::string& CoordinateSystemDefinition() const { return coordinateSystemDefinition_; }
    void SetCoordinateSystemDefinition(std::string definition) { coordinateSystemDefinition_ = std::move(definition); }

    long StandaloneTableCount() const { return static_cast<long>(tables_.size()); }
    // Error 9 outside 0 to StandaloneTableCount - 1.
    Ref<host::StandaloneTable> StandaloneTable(long index) const;
    void AddStandaloneTable(const Ref<host::StandaloneTable>& table);
    // The standalone table of that name (case ignored; the last of equal names), or Nothing.
    Ref<host::StandaloneTable> FindStandaloneTable(const std::string& name) const;

    // The envelope of every feature layer's features (empty when there are none).
    Ref<Envelope> FullExtent() const;

    // Opening another map into this one: the map takes the other map's name, layers,
    // tables, coordinate system and extent (the other is left empty), drops its own
    // graphics and redraws. Whoever holds this map sees the new content.
    void TakeContents(Map& other);

private:
    std::string name_ = "Layers";
    std::vector<Ref<host::Layer>> layers_;
    std::vector<Ref<host::StandaloneTable>> tables_;
    Ref<host::BasicGraphicsLayer> basicGraphicsLayer_;
    Ref<host::SpatialReference> spatialReference_;
    std::string coordinateSystemDefinition_;
};

}  // namespace host
