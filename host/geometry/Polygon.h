#pragma once

#include <vector>

#include "host/geometry/Geometry.h"

namespace host {

class GeometryBag;
class Point;

class Polygon : public Geometry {
public:
    Polygon();
    explicit Polygon(GeosGeometry geometry);
    // Rings as given: each polygon part is an outer ring followed by the rings that lie
    // inside it (holes). Rings are closed when their last coordinate is not the first. A
    // ring of fewer than three distinct coordinates raises error 5.
    static Ref<Polygon> FromRings(const std::vector<std::vector<Coordinate>>& rings);

    long GeometryType() const override { return GeometryTypeCode::Polygon; }

    double Area() const;
    bool IsValid() const;
    // All rings, closed, outer ring of each part first: enough to draw it with even-odd fill.
    std::vector<std::vector<Coordinate>> Rings() const;

    // This polygon becomes the union of the bag's polygons (invalid ones repaired first);
    // an empty bag gives an empty polygon. A member that is not a polygon or an envelope
    // raises error 13.
    void ConstructUnion(const Ref<GeometryBag>& geometries);

    // This polygon becomes a circle around `center`, its arcs followed as closely as a
    // buffer's. A radius of 0 gives an empty polygon; a negative or non-finite radius, or
    // an empty centre, raises error 5.
    void SetCircle(const Ref<host::Point>& center, double radius);
};

}  // namespace host
