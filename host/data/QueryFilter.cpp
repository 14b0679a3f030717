#include "host/data/QueryFilter.h"

#include "host/data/Fields.h"
#include "host/geometry/SpatialReference.h"

namespace host {

QueryFilter::~QueryFilter() = default;

Ref<SpatialReference> QueryFilter::OutputSpatialReference(const std::string& field) const {
    for (const auto& [name, reference] : outputReferences_) {
        if (EqualIgnoringCase(name, field)) return reference;
    }
    return {};
}

void QueryFilter::SetOutputSpatialReference(const std::string& field, Ref<SpatialReference> reference) {
    for (auto& [name, held] : outputReferences_) {
        if (EqualIgnoringCase(name, field)) {
            held = std::move(reference);
            return;
        }
    }
    outputReferences_.emplace(field, std::move(reference));
}

}  // namespace host
