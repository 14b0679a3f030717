#include "host/geometry/Multipoint.h"

#include "host/core/RuntimeError.h"
#include "host/geometry/Geos.h"
#include "host/geometry/Point.h"

namespace host {

Multipoint::Multipoint() : Geometry(geos::EmptyOfType(GeometryTypeCode::Multipoint)) {}

Multipoint::Multipoint(GeosGeometry geometry) : Geometry(std::move(geometry)) {}

Ref<Multipoint> Multipoint::FromPoints(const std::vector<Coordinate>& points) {
    auto multipoint = New<Multipoint>();
    for (const Coordinate& c : points) multipoint->AddPoint(New<host::Point>(c.x, c.y));
    return multipoint;
}

long Multipoint::PointCount() const {
    if (IsEmpty()) return 0;
    return GEOSGetNumGeometries_r(geos::H(), Stored().get());
}

Ref<Point> Multipoint::Point(long index) const {
    if (index < 0 || index >= PointCount()) Raise(err::SubscriptOutOfRange);
    const GEOSGeometry* part = GEOSGetGeometryN_r(geos::H(), Stored().get(), static_cast<int>(index));
    auto point = New<host::Point>(GeosGeometry::Adopt(geos::CloneOf(part)));
    point->SetSpatialReference(SpatialReference());
    return point;
}

void Multipoint::AddPoint(const Ref<host::Point>& point) {
    GeosGeometry added = point->Geos();
    if (added.IsEmpty()) Raise(err::InvalidProcedureCall, "An empty point cannot be added.");
    std::vector<const GEOSGeometry*> parts;
    long count = PointCount();
    for (long i = 0; i < count; ++i)
        parts.push_back(GEOSGetGeometryN_r(geos::H(), Stored().get(), static_cast<int>(i)));
    parts.push_back(added.get());
    Replace(geos::CollectionOf(GEOS_MULTIPOINT, parts));
}

}  // namespace host
