#pragma once

#include "host/geometry/Geometry.h"

namespace host {

class Point : public Geometry {
public:
    Point();  // empty until its coordinates are put
    Point(double x, double y);
    explicit Point(GeosGeometry geometry);

    long GeometryType() const override { return GeometryTypeCode::Point; }

    // NaN while the point is empty.
    double X() const;
    double Y() const;
    void PutCoords(double x, double y);
};

}  // namespace host
