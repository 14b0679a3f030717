#include "host/carto/EnumFeature.h"

#include "host/carto/FeatureLayer.h"
#include "host/data/Feature.h"
#include "host/data/FeatureClass.h"
#include "host/data/SelectionSet.h"

namespace host {

EnumFeature::EnumFeature(std::vector<Ref<FeatureLayer>> layers) : layers_(std::move(layers)) { Reset(); }

void EnumFeature::Reset() {
    selected_.clear();
    next_ = 0;
    for (const Ref<FeatureLayer>& layer : layers_) {
        Ref<FeatureClass> featureClass = layer->FeatureClass();
        if (!featureClass) continue;
        for (std::int64_t oid : layer->SelectionSet()->IDs()) selected_.emplace_back(featureClass, oid);
    }
}

Ref<Feature> EnumFeature::Next() {
    while (next_ < selected_.size()) {
        const auto& [featureClass, oid] = selected_[next_++];
        // An id whose feature is gone (a selection set put in by hand) is passed over.
        if (featureClass->PositionOf(oid)) return featureClass->GetFeature(oid);
    }
    return nullptr;
}

}  // namespace host
