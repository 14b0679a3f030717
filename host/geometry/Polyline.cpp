#include "host/geometry/Polyline.h"

#include "host/core/RuntimeError.h"
#include "host/geometry/Geos.h"

namespace host {

Polyline::Polyline() : Geometry(geos::EmptyOfType(GeometryTypeCode::Polyline)) {}

Polyline::Polyline(GeosGeometry geometry) : Geometry(std::move(geometry)) {}

Ref<Polyline> Polyline::FromPaths(const std::vector<std::vector<Coordinate>>& paths) {
    std::vector<GeosGeometry> lines;
    for (const auto& path : paths) {
        if (path.size() < 2) Raise(err::InvalidProcedureCall, "A path needs two points at least.");
        std::vector<geos::Xy> xy;
        for (const Coordinate& c : path) xy.push_back({c.x, c.y});
        lines.push_back(GeosGeometry::Adopt(GEOSGeom_createLineString_r(geos::H(), geos::SequenceOf(xy))));
    }
    if (lines.empty()) return New<Polyline>();
    if (lines.size() == 1) return New<Polyline>(lines.front());
    std::vector<const GEOSGeometry*> parts;
    for (const auto& line : lines) parts.push_back(line.get());
    return New<Polyline>(geos::CollectionOf(GEOS_MULTILINESTRING, parts));
}

double Polyline::Length() const {
    double length = 0;
    if (GEOSLength_r(geos::H(), Stored().get(), &length) == 0) geos::Fail("length");
    return length;
}

std::vector<std::vector<Coordinate>> Polyline::Paths() const {
    std::vector<std::vector<Coordinate>> paths;
    if (IsEmpty()) return paths;
    GEOSContextHandle_t h = geos::H();
    const GEOSGeometry* g = Stored().get();
    bool multi = GEOSGeomTypeId_r(h, g) == GEOS_MULTILINESTRING;
    int n = multi ? GEOSGetNumGeometries_r(h, g) : 1;
    for (int i = 0; i < n; ++i) {
        const GEOSGeometry* line = multi ? GEOSGetGeometryN_r(h, g, i) : g;
        if (GEOSisEmpty_r(h, line) == 1) continue;
        std::vector<Coordinate> path;
        for (const geos::Xy& xy : geos::CoordinatesOf(line)) path.push_back({xy.x, xy.y});
        paths.push_back(std::move(path));
    }
    return paths;
}

}  // namespace host
