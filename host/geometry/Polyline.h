#pragma once

#include <vector>

#include "host/geometry/Geometry.h"

namespace host {

class Polyline : public Geometry {
public:
    Polyline();
    explicit Polyline(GeosGeometry geometry);
    // One path per inner vector; a path needs at least two coordinates (else error 5).
    static Ref<Polyline> FromPaths(const std::vector<std::vector<Coordinate>>& paths);

    long GeometryType() const override { return GeometryTypeCode::Polyline; }

    double Length() const;
    std::vector<std::vector<Coordinate>> Paths() const;
};

}  // namespace host
