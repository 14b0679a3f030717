#pragma once
// The selected features of a map, layer after layer in map order and by object id within
// a layer. The enumerator takes the selection as it stands when it is made and again at
// each Reset; Next gives one feature after another, then Nothing.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "host/core/Ref.h"

namespace host {

class Feature;
class FeatureClass;
class FeatureLayer;

class EnumFeature {
public:
    explicit EnumFeature(std::vector<Ref<FeatureLayer>> layers);

    void Reset();
    Ref<Feature> Next();

private:
    std::vector<Ref<FeatureLayer>> layers_;
    std::vector<std::pair<Ref<FeatureClass>, std::int64_t>> selected_;
    std::size_t next_ = 0;
};

}  // namespace host
