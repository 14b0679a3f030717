#include "host/carto/Map.h"

#include "host/carto/BasicGraphicsLayer.h"
#include "host/carto/EnumFeature.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/GroupLayer.h"
#include "host/carto/StandaloneTable.h"
#include "host/core/RuntimeError.h"
#include "host/data/FeatureClass.h"
#include "host/data/Fields.h"
#include "host/data/SelectionSet.h"
#include "host/geometry/Envelope.h"

namespace host {

namespace {
void CollectFeatureLayers(const Ref<Layer>& layer, std::vector<Ref<FeatureLayer>>& out) {
    if (Is<FeatureLayer>(layer)) {
        out.push_back(As<FeatureLayer>(layer));
    } else if (Is<GroupLayer>(layer)) {
        auto group = As<GroupLayer>(layer);
        for (long i = 0; i < group->Count(); ++i) CollectFeatureLayers(group->Layer(i), out);
    }
}
template <class T> const Ref<T>& At(const std::vector<Ref<T>>& items, long index) {
    if (index < 0 || index >= static_cast<long>(items.size())) Raise(err::SubscriptOutOfRange);
    return items[static_cast<std::size_t>(index)];
}
}  // namespace

Map::Map() : basicGraphicsLayer_(New<host::BasicGraphicsLayer>(*this)) {}

Ref<host::Layer> Map::Layer(long index) const { return At(layers_, index); }

void Map::AddLayer(const Ref<host::Layer>& layer) {
    if (!layer) Raise(err::ObjectNotSet);
    layers_.push_back(layer);
    layer->SetSelectionListener([observers = Observers()] {
        if (auto o = observers.lock()) o->Notify(ViewEvent::SelectionChanged);
    });
    if (!spatialReference_) {
        std::vector<Ref<FeatureLayer>> added;
        CollectFeatureLayers(layer, added);
        for (const Ref<FeatureLayer>& featureLayer : added) {
            if (featureLayer->FeatureClass() && featureLayer->FeatureClass()->SpatialReference()) {
                spatialReference_ = featureLayer->FeatureClass()->SpatialReference();
                break;
            }
        }
    }
}

std::vector<Ref<FeatureLayer>> Map::FeatureLayers() const {
    std::vector<Ref<FeatureLayer>> found;
    for (const Ref<host::Layer>& layer : layers_) CollectFeatureLayers(layer, found);
    return found;
}

long Map::SelectionCount() const {
    long count = 0;
    for (const Ref<FeatureLayer>& layer : FeatureLayers()) count += layer->SelectionSet()->Count();
    return count;
}

void Map::ClearSelection() {
    for (const Ref<FeatureLayer>& layer : FeatureLayers()) layer->Clear();
}

Ref<EnumFeature> Map::FeatureSelection() const { return New<EnumFeature>(FeatureLayers()); }

Ref<host::StandaloneTable> Map::StandaloneTable(long index) const { return At(tables_, index); }

void Map::AddStandaloneTable(const Ref<host::StandaloneTable>& table) {
    if (!table) Raise(err::ObjectNotSet);
    tables_.push_back(table);
}

Ref<host::StandaloneTable> Map::FindStandaloneTable(const std::string& name) const {
    Ref<host::StandaloneTable> found;
    for (const Ref<host::StandaloneTable>& table : tables_) {
        if (EqualIgnoringCase(table->Name(), name)) found = table;
    }
    return found;
}

Ref<Envelope> Map::FullExtent() const {
    auto extent = New<Envelope>();
    for (const Ref<FeatureLayer>& layer : FeatureLayers()) {
        if (layer->FeatureClass()) extent->Union(layer->FeatureClass()->Extent());
    }
    return extent;
}

void Map::TakeContents(Map& other) {
    if (&other == this) return;
    // The layers going out stop telling this map of their selections.
    for (const Ref<host::Layer>& layer : layers_) layer->SetSelectionListener({});
    layers_.clear();
    tables_ = std::move(other.tables_);
    other.tables_.clear();
    name_ = other.name_;
    spatialReference_ = other.spatialReference_;
    coordinateSystemDefinition_ = other.coordinateSystemDefinition_;
    std::vector<Ref<host::Layer>> incoming = std::move(other.layers_);
    other.layers_.clear();
    for (const Ref<host::Layer>& layer : incoming) AddLayer(layer);
    if (Ref<Envelope> extent = other.Extent(); !extent->IsEmpty()) {
        SetExtent(extent);
    } else {
        ClearExtent();
    }
    DeleteAllElements();
    Refresh();
}

}  // namespace host
