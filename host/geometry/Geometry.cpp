#include "host/geometry/Geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "host/core/RuntimeError.h"
#include "host/geometry/Envelope.h"
#include "host/geometry/GeometryBag.h"
#include "host/geometry/Geos.h"
#include "host/geometry/Multipoint.h"
#include "host/geometry/Point.h"
#include "host/geometry/Polygon.h"
#include "host/geometry/Polyline.h"
#include "host/geometry/SpatialReference.h"

namespace host {

namespace {

// The form a geometry takes in a relation: an invalid polygon is repaired first.
GeosGeometry ForRelation(const GeosGeometry& g) { return geos::IsPolygonal(g.get()) ? g.Repaired() : g; }

using Predicate = char (*)(GEOSContextHandle_t, const GEOSGeometry*, const GEOSGeometry*);

// Runs a predicate; when GEOS cannot answer for the geometries as they are, it answers for
// their repaired forms, and a second failure is an error.
bool Relate(Predicate predicate, const char* name, GeosGeometry a, GeosGeometry b, bool repairFirst) {
    if (a.IsEmpty() || b.IsEmpty()) return false;
    if (repairFirst) {
        a = ForRelation(a);
        b = ForRelation(b);
    }
    char answer = predicate(geos::H(), a.get(), b.get());
    if (answer == 2 && !repairFirst) {
        a = ForRelation(a);
        b = ForRelation(b);
        answer = predicate(geos::H(), a.get(), b.get());
    }
    if (answer == 2) geos::Fail(name);
    return answer == 1;
}

// From this many vertices a polygon's pockets are filled before it is buffered.
constexpr int kPocketFillVertices = 128;

// The ring with its reflex corners cut off where the chord between the corner's neighbours
// is at most `maxChord`, in one pass that never removes two neighbouring corners (so each
// cut adds exactly the triangle of a corner and its original neighbours). `interiorLeft`
// says on which side of the ring the polygon lies.
std::vector<geos::Xy> WithoutPockets(std::vector<geos::Xy> ring, bool interiorLeft, double maxChord) {
    ring.pop_back();  // the closing coordinate
    const std::size_t n = ring.size();
    std::vector<char> cut(n, 0);
    std::size_t kept = n;
    for (std::size_t i = 0; i < n && kept > 3; ++i) {
        const std::size_t before = (i + n - 1) % n, after = (i + 1) % n;
        if (cut[before] != 0 || cut[after] != 0) continue;
        const geos::Xy& a = ring[before];
        const geos::Xy& v = ring[i];
        const geos::Xy& b = ring[after];
        const double turn = (v.x - a.x) * (b.y - v.y) - (v.y - a.y) * (b.x - v.x);
        if (interiorLeft ? turn >= 0 : turn <= 0) continue;  // convex or straight
        if (std::hypot(b.x - a.x, b.y - a.y) > maxChord) continue;
        cut[i] = 1;
        --kept;
    }
    std::vector<geos::Xy> out;
    out.reserve(kept + 1);
    for (std::size_t i = 0; i < n; ++i)
        if (cut[i] == 0) out.push_back(ring[i]);
    out.push_back(out.front());
    return out;
}

double SignedArea(const std::vector<geos::Xy>& ring) {
    double twice = 0;
    for (std::size_t i = 0; i + 1 < ring.size(); ++i) twice += ring[i].x * ring[i + 1].y - ring[i + 1].x * ring[i].y;
    return twice / 2;
}

GEOSGeometry* RingOf(const std::vector<geos::Xy>& coordinates) {
    GEOSGeometry* ring = GEOSGeom_createLinearRing_r(geos::H(), geos::SequenceOf(coordinates));
    if (ring == nullptr) geos::Fail("ring");
    return ring;
}

GeosGeometry PolygonWithoutPockets(const GEOSGeometry* polygon, double maxChord) {
    GEOSContextHandle_t h = geos::H();
    std::vector<std::vector<geos::Xy>> rings;
    std::vector<geos::Xy> shell = geos::CoordinatesOf(GEOSGetExteriorRing_r(h, polygon));
    shell = WithoutPockets(shell, SignedArea(shell) > 0, maxChord);
    GeosGeometry shellRing = GeosGeometry::Adopt(RingOf(shell));
    std::vector<GeosGeometry> holeRings;
    const int holes = GEOSGetNumInteriorRings_r(h, polygon);
    for (int i = 0; i < holes; ++i) {
        std::vector<geos::Xy> hole = geos::CoordinatesOf(GEOSGetInteriorRingN_r(h, polygon, i));
        hole = WithoutPockets(hole, SignedArea(hole) < 0, maxChord);
        holeRings.push_back(GeosGeometry::Adopt(RingOf(hole)));
    }
    std::vector<GEOSGeometry*> holeCopies;
    for (const GeosGeometry& ring : holeRings) holeCopies.push_back(geos::CloneOf(ring.get()));
    return GeosGeometry::Adopt(GEOSGeom_createPolygon_r(h, geos::CloneOf(shellRing.get()), holeCopies.data(),
                                                        static_cast<unsigned>(holeCopies.size())));
}

// What a valid polygon of many vertices is buffered as: the polygon with the narrow pockets of
// its outline filled, where a pocket corner whose neighbours lie at most c apart is cut off.
// A point within `distance` of a filled triangle but farther from the polygon sees the
// triangle only across the chord, so it lies within sqrt(distance^2 + c^2 / 4), i.e.
// distance + c^2 / (8 distance), of the polygon's own corners; with c^2 <= 0.004 distance^2
// that is 0.05% of the distance, inside the band the arcs are allowed. The filling only
// grows the polygon, so nothing within the distance is lost. Buffering the filled outline
// costs a fraction: the offset curves of many small notches no longer fold over each other.
// The polygon itself when it is small, not a valid polygon, or the filling is not valid.
GeosGeometry PocketsFilled(const GeosGeometry& source, double distance) {
    GEOSContextHandle_t h = geos::H();
    const int type = GEOSGeomTypeId_r(h, source.get());
    if (distance <= 0 || (type != GEOS_POLYGON && type != GEOS_MULTIPOLYGON) ||
        GEOSGetNumCoordinates_r(h, source.get()) < kPocketFillVertices || !source.IsValid()) {
        return source;
    }
    const double maxChord = std::sqrt(0.004) * distance;
    GeosGeometry filled;
    if (type == GEOS_POLYGON) {
        filled = PolygonWithoutPockets(source.get(), maxChord);
    } else {
        std::vector<GeosGeometry> parts;
        const int count = GEOSGetNumGeometries_r(h, source.get());
        for (int i = 0; i < count; ++i)
            parts.push_back(PolygonWithoutPockets(GEOSGetGeometryN_r(h, source.get(), i), maxChord));
        std::vector<const GEOSGeometry*> pointers;
        for (const GeosGeometry& part : parts) pointers.push_back(part.get());
        filled = geos::CollectionOf(GEOS_MULTIPOLYGON, pointers);
    }
    // A cut that crosses another part of the outline makes the filling invalid.
    return filled.IsValid() ? filled : source;
}

struct WktWriter {
    WktWriter() : writer(GEOSWKTWriter_create_r(geos::H())) {
        if (writer == nullptr) geos::Fail("write text");
        GEOSWKTWriter_setTrim_r(geos::H(), writer, 1);
        GEOSWKTWriter_setOutputDimension_r(geos::H(), writer, 2);
    }
    ~WktWriter() { GEOSWKTWriter_destroy_r(geos::H(), writer); }
    WktWriter(const WktWriter&) = delete;
    WktWriter& operator=(const WktWriter&) = delete;
    GEOSWKTWriter* writer;
};

struct WktReader {
    WktReader() : reader(GEOSWKTReader_create_r(geos::H())) {
        if (reader == nullptr) geos::Fail("read text");
    }
    ~WktReader() { GEOSWKTReader_destroy_r(geos::H(), reader); }
    WktReader(const WktReader&) = delete;
    WktReader& operator=(const WktReader&) = delete;
    GEOSWKTReader* reader;
};

GeosGeometry BufferedWithStyle(const GEOSGeometry* source, double distance) {
    GEOSGeometry* buffered = GEOSBufferWithStyle_r(geos::H(), source, distance, geos::QuadrantSegments(),
                                                   GEOSBUF_CAP_ROUND, GEOSBUF_JOIN_ROUND, 5.0);
    if (buffered == nullptr) geos::Fail("buffer");
    return geos::PolygonalParts(buffered);
}

// The polygonal parts of the buffer of a GEOS geometry: round joins and caps, arcs followed
// within 0.1% of the distance. A collection of several members (a repaired parcel with the
// loose pieces of its rings) is buffered member by member and the buffers united: GEOS
// nodes the offset curves of a mixed collection all together, which for a small parcel
// costs twenty times the buffers of its members.
GeosGeometry BufferedBy(const GeosGeometry& source, double distance) {
    GEOSContextHandle_t h = geos::H();
    const int members = GEOSGetNumGeometries_r(h, source.get());
    if (GEOSGeomTypeId_r(h, source.get()) != GEOS_GEOMETRYCOLLECTION || members < 2)
        return BufferedWithStyle(source.get(), distance);
    std::vector<GeosGeometry> buffers;
    std::vector<const GEOSGeometry*> parts;
    for (int i = 0; i < members; ++i) {
        buffers.push_back(BufferedWithStyle(GEOSGetGeometryN_r(h, source.get(), i), distance));
        if (!buffers.back().IsEmpty()) parts.push_back(buffers.back().get());
    }
    if (parts.size() < 2) {
        for (const GeosGeometry& buffer : buffers)
            if (!buffer.IsEmpty()) return buffer;
        return buffers.front();
    }
    GeosGeometry all = geos::CollectionOf(GEOS_GEOMETRYCOLLECTION, parts);
    GEOSGeometry* united = GEOSUnaryUnion_r(h, all.get());
    if (united == nullptr) geos::Fail("union");
    return geos::PolygonalParts(united);
}

// GEOS buffers by a positive distance too small for the coordinates (1e-11 feet at State
// Plane coordinates) to nothing, yet the area within any positive distance holds the
// geometry itself. Such a buffer stands as the geometry: a polygon as its polygonal parts;
// a point or a line, which has none, as its buffer by the smallest distance its coordinates
// resolve.
GeosGeometry CollapsedBuffer(const GeosGeometry& source, double distance) {
    GeosGeometry itself = geos::PolygonalParts(geos::CloneOf(source.get()));
    if (!itself.IsEmpty()) return itself;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    source.Bounds(xMin, yMin, xMax, yMax);
    const double reach = std::max({1.0, std::abs(xMin), std::abs(yMin), std::abs(xMax), std::abs(yMax)});
    double resolvable = std::max(distance, reach * std::numeric_limits<double>::epsilon());
    for (int doubling = 0; doubling < 64; ++doubling, resolvable *= 2) {
        GeosGeometry grown = BufferedBy(source, resolvable);
        if (!grown.IsEmpty()) return grown;
    }
    return itself;
}

}  // namespace

Geometry::Geometry(GeosGeometry geometry) : geometry_(std::move(geometry)) {}

Geometry::~Geometry() = default;

bool Geometry::IsEmpty() const { return Geos().IsEmpty(); }

void Geometry::SetEmpty() { Replace(geos::EmptyOfType(GeometryType())); }

void Geometry::Replace(GeosGeometry geometry) { geometry_ = std::move(geometry); }

GeosGeometry Geometry::Geos() const { return geometry_; }

Ref<host::Envelope> Geometry::Envelope() const {
    auto envelope = New<host::Envelope>();
    envelope->SetSpatialReference(spatialReference_);
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    if (!Geos().Bounds(xMin, yMin, xMax, yMax)) return envelope;
    envelope->PutCoords(xMin, yMin, xMax, yMax);
    return envelope;
}

Ref<Polygon> Geometry::Buffer(double distance) const {
    if (!std::isfinite(distance)) Raise(err::InvalidProcedureCall, "The buffer distance is not a finite number.");
    GeosGeometry source = Geos();
    Ref<Polygon> result;
    if (source.IsEmpty()) {
        result = New<Polygon>();
    } else {
        // GEOS buffers an invalid polygon without complaint but can drop part of it (a bow-tie
        // keeps one lobe), so the repaired form is buffered, with whatever of its rings the
        // repair left out.
        source = PocketsFilled(source.BufferSource(), distance);
        GeosGeometry buffered = BufferedBy(source, distance);
        if (buffered.IsEmpty() && distance > 0) buffered = CollapsedBuffer(source, distance);
        result = New<Polygon>(std::move(buffered));
    }
    result->SetSpatialReference(spatialReference_);
    return result;
}

bool Geometry::Contains(const Ref<Geometry>& other) const {
    return Relate(&GEOSContains_r, "contains", Geos(), other->Geos(), true);
}

bool Geometry::Intersects(const Ref<Geometry>& other) const {
    return Relate(&GEOSIntersects_r, "intersects", Geos(), other->Geos(), false);
}

std::string Geometry::ToWkt() const {
    WktWriter writer;
    GeosGeometry g = Geos();
    char* text = GEOSWKTWriter_write_r(geos::H(), writer.writer, g.get());
    if (text == nullptr) geos::Fail("write text");
    std::string result(text);
    GEOSFree_r(geos::H(), text);
    return result;
}

Ref<Geometry> Geometry::Wrap(GeosGeometry geometry) {
    if (!geometry) Raise(err::ObjectNotSet);
    GEOSContextHandle_t h = geos::H();
    switch (GEOSGeomTypeId_r(h, geometry.get())) {
    case GEOS_POINT: return New<Point>(std::move(geometry));
    case GEOS_MULTIPOINT: return New<Multipoint>(std::move(geometry));
    case GEOS_LINESTRING:
    case GEOS_LINEARRING:
    case GEOS_MULTILINESTRING: return New<Polyline>(std::move(geometry));
    case GEOS_POLYGON:
    case GEOS_MULTIPOLYGON: return New<Polygon>(std::move(geometry));
    default: {
        auto bag = New<GeometryBag>();
        int n = GEOSGetNumGeometries_r(h, geometry.get());
        for (int i = 0; i < n; ++i) {
            bag->AddGeometry(Wrap(GeosGeometry::Adopt(geos::CloneOf(GEOSGetGeometryN_r(h, geometry.get(), i)))));
        }
        return bag;
    }
    }
}

Ref<Geometry> Geometry::EmptyOfType(long geometryType) {
    switch (geometryType) {
    case GeometryTypeCode::Point: return New<Point>();
    case GeometryTypeCode::Multipoint: return New<Multipoint>();
    case GeometryTypeCode::Polyline: return New<Polyline>();
    case GeometryTypeCode::Polygon: return New<Polygon>();
    case GeometryTypeCode::Envelope: return New<host::Envelope>();
    case GeometryTypeCode::Bag: return New<GeometryBag>();
    default: Raise(err::InvalidProcedureCall, "Unknown geometry type " + std::to_string(geometryType) + ".");
    }
}

Ref<Geometry> Geometry::FromWkt(const std::string& wkt) {
    WktReader reader;
    GEOSGeometry* g = GEOSWKTReader_read_r(geos::H(), reader.reader, wkt.c_str());
    if (g == nullptr) {
        std::string detail = geos::CurrentContext()->LastError();
        geos::CurrentContext()->ClearError();
        Raise(err::InvalidProcedureCall, "Not a geometry in well-known text: " + detail);
    }
    return Wrap(GeosGeometry::Adopt(g));
}

}  // namespace host
