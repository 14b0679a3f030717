#include "host/geometry/GeometryBag.h"

#include "host/core/RuntimeError.h"
#include "host/geometry/Geos.h"

namespace host {

GeometryBag::GeometryBag() : host::Geometry(geos::EmptyOfType(GeometryTypeCode::Bag)) {}

void GeometryBag::SetEmpty() { members_.clear(); }

Ref<Geometry> GeometryBag::Geometry(long index) const {
    if (index < 0 || index >= GeometryCount()) Raise(err::SubscriptOutOfRange);
    return members_[static_cast<std::size_t>(index)];
}

void GeometryBag::AddGeometry(const Ref<host::Geometry>& geometry) {
    if (!geometry) Raise(err::ObjectNotSet);
    members_.push_back(geometry);
}

GeosGeometry GeometryBag::Geos() const {
    if (members_.empty()) return Stored();
    std::vector<GeosGeometry> held;
    std::vector<const GEOSGeometry*> parts;
    for (const auto& member : members_) {
        // Polygons go in repaired, so that a buffer of the bag keeps every part of them.
        GeosGeometry g = member->Geos();
        held.push_back(geos::IsPolygonal(g.get()) ? g.Repaired() : g);
        parts.push_back(held.back().get());
    }
    return geos::CollectionOf(GEOS_GEOMETRYCOLLECTION, parts);
}

}  // namespace host
