#include "host/geometry/Polygon.h"

#include <cmath>

#include "host/core/RuntimeError.h"
#include "host/geometry/Envelope.h"
#include "host/geometry/GeometryBag.h"
#include "host/geometry/Geos.h"
#include "host/geometry/Point.h"

namespace host {

namespace {

std::vector<geos::Xy> ClosedRing(const std::vector<Coordinate>& ring) {
    std::vector<geos::Xy> xy;
    for (const Coordinate& c : ring) {
        if (xy.empty() || xy.back().x != c.x || xy.back().y != c.y) xy.push_back({c.x, c.y});
    }
    if (xy.size() > 1 && xy.front().x == xy.back().x && xy.front().y == xy.back().y) xy.pop_back();
    if (xy.size() < 3) Raise(err::InvalidProcedureCall, "A ring needs three distinct points at least.");
    xy.push_back(xy.front());
    return xy;
}

// Even-odd test of a point against a closed ring.
bool InsideRing(const geos::Xy& p, const std::vector<geos::Xy>& ring) {
    bool inside = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const geos::Xy& a = ring[i];
        const geos::Xy& b = ring[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
}

GEOSGeometry* MakePolygon(const std::vector<geos::Xy>& shell, const std::vector<std::vector<geos::Xy>>& holes) {
    GEOSContextHandle_t h = geos::H();
    GeosGeometry shellRing = GeosGeometry::Adopt(GEOSGeom_createLinearRing_r(h, geos::SequenceOf(shell)));
    std::vector<GEOSGeometry*> holeRings;
    try {
        for (const auto& hole : holes) {
            GEOSGeometry* ring = GEOSGeom_createLinearRing_r(h, geos::SequenceOf(hole));
            if (ring == nullptr) geos::Fail("ring");
            holeRings.push_back(ring);
        }
    } catch (...) {
        for (GEOSGeometry* ring : holeRings) GEOSGeom_destroy_r(h, ring);
        throw;
    }
    GEOSGeometry* polygon = GEOSGeom_createPolygon_r(h, geos::CloneOf(shellRing.get()), holeRings.data(),
                                                     static_cast<unsigned>(holeRings.size()));
    if (polygon == nullptr) geos::Fail("polygon");
    return polygon;
}

void AppendRings(const GEOSGeometry* polygon, std::vector<std::vector<Coordinate>>& out) {
    GEOSContextHandle_t h = geos::H();
    if (GEOSisEmpty_r(h, polygon) == 1) return;
    auto add = [&](const GEOSGeometry* ring) {
        std::vector<Coordinate> coordinates;
        for (const geos::Xy& xy : geos::CoordinatesOf(ring)) coordinates.push_back({xy.x, xy.y});
        out.push_back(std::move(coordinates));
    };
    add(GEOSGetExteriorRing_r(h, polygon));
    int holes = GEOSGetNumInteriorRings_r(h, polygon);
    for (int i = 0; i < holes; ++i) add(GEOSGetInteriorRingN_r(h, polygon, i));
}

}  // namespace

Polygon::Polygon() : Geometry(geos::EmptyOfType(GeometryTypeCode::Polygon)) {}

Polygon::Polygon(GeosGeometry geometry) : Geometry(std::move(geometry)) {}

Ref<Polygon> Polygon::FromRings(const std::vector<std::vector<Coordinate>>& rings) {
    struct Part {
        std::vector<geos::Xy> shell;
        std::vector<std::vector<geos::Xy>> holes;
    };
    std::vector<Part> parts;
    for (const auto& ring : rings) {
        std::vector<geos::Xy> closed = ClosedRing(ring);
        if (!parts.empty() && InsideRing(closed.front(), parts.back().shell)) {
            parts.back().holes.push_back(std::move(closed));
        } else {
            parts.push_back({std::move(closed), {}});
        }
    }
    if (parts.empty()) return New<Polygon>();
    std::vector<GeosGeometry> polygons;
    for (const Part& part : parts) polygons.push_back(GeosGeometry::Adopt(MakePolygon(part.shell, part.holes)));
    if (polygons.size() == 1) return New<Polygon>(polygons.front());
    std::vector<const GEOSGeometry*> pointers;
    for (const auto& p : polygons) pointers.push_back(p.get());
    return New<Polygon>(geos::CollectionOf(GEOS_MULTIPOLYGON, pointers));
}

double Polygon::Area() const {
    double area = 0;
    if (GEOSArea_r(geos::H(), Stored().get(), &area) == 0) geos::Fail("area");
    return area;
}

bool Polygon::IsValid() const { return Stored().IsValid(); }

std::vector<std::vector<Coordinate>> Polygon::Rings() const {
    std::vector<std::vector<Coordinate>> rings;
    GEOSContextHandle_t h = geos::H();
    const GEOSGeometry* g = Stored().get();
    if (GEOSGeomTypeId_r(h, g) == GEOS_MULTIPOLYGON) {
        int n = GEOSGetNumGeometries_r(h, g);
        for (int i = 0; i < n; ++i) AppendRings(GEOSGetGeometryN_r(h, g, i), rings);
    } else {
        AppendRings(g, rings);
    }
    return rings;
}

void Polygon::ConstructUnion(const Ref<GeometryBag>& geometries) {
    std::vector<GeosGeometry> inputs;  // keeps the repaired forms alive
    long count = geometries->GeometryCount();
    for (long i = 0; i < count; ++i) {
        Ref<host::Geometry> member = geometries->Geometry(i);
        long type = member->GeometryType();
        if (type != GeometryTypeCode::Polygon && type != GeometryTypeCode::Envelope) Raise(err::TypeMismatch);
        GeosGeometry g = member->Geos();
        if (g.IsEmpty()) continue;
        inputs.push_back(g.Repaired());
    }
    if (inputs.empty()) {
        SetEmpty();
        return;
    }
    std::vector<const GEOSGeometry*> parts;
    std::vector<GeosGeometry::Box> cover;
    for (const auto& g : inputs) {
        parts.push_back(g.get());
        GeosGeometry::Box box{};
        if (g.Bounds(box.xMin, box.yMin, box.xMax, box.yMax)) cover.push_back(box);
    }
    GeosGeometry collection = geos::CollectionOf(GEOS_GEOMETRYCOLLECTION, parts);
    GEOSGeometry* united = GEOSUnaryUnion_r(geos::H(), collection.get());
    if (united == nullptr) geos::Fail("union");
    GeosGeometry result = geos::PolygonalParts(united);
    // The members' envelopes cover the union far more tightly than its own envelope when the
    // members are spread out (the buffers of a long street's segments): a spatial query
    // searches with each of them.
    if (cover.size() > 1) result.SetCover(std::move(cover));
    Replace(std::move(result));
}

void Polygon::SetCircle(const Ref<host::Point>& center, double radius) {
    if (!std::isfinite(radius) || radius < 0)
        Raise(err::InvalidProcedureCall, "The radius is not a number of 0 or more.");
    if (center->IsEmpty()) Raise(err::InvalidProcedureCall, "The centre of a circle is empty.");
    if (radius == 0) {
        SetEmpty();
        return;
    }
    GEOSGeometry* circle = GEOSBufferWithStyle_r(geos::H(), center->Geos().get(), radius, geos::QuadrantSegments(),
                                                 GEOSBUF_CAP_ROUND, GEOSBUF_JOIN_ROUND, 5.0);
    if (circle == nullptr) geos::Fail("circle");
    Replace(GeosGeometry::Adopt(circle));
}

}  // namespace host
