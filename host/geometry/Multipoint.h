#pragma once

#include <vector>

#include "host/geometry/Geometry.h"

namespace host {

class Point;

class Multipoint : public Geometry {
public:
    Multipoint();
    explicit Multipoint(GeosGeometry geometry);
    static Ref<Multipoint> FromPoints(const std::vector<Coordinate>& points);

    long GeometryType() const override { return GeometryTypeCode::Multipoint; }

    long PointCount() const;
    Ref<host::Point> Point(long index) const;  // error 9 outside 0 .. PointCount - 1
    void AddPoint(const Ref<host::Point>& point);
};

}  // namespace host
