#include "host/geometry/Geometry.h"

#include <cmath>
#include <memory>

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
GeosGeometry ForRelation(const GeosGeometry& g) {
    return geos::IsPolygonal(g.get()) ? g.Repaired() : g;
}

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
        source = source.BufferSource();
        GEOSGeometry* buffered = GEOSBufferWithStyle_r(geos::H(), source.get(), distance, geos::QuadrantSegments(),
                                                       GEOSBUF_CAP_ROUND, GEOSBUF_JOIN_ROUND, 5.0);
        if (buffered == nullptr) geos::Fail("buffer");
        result = New<Polygon>(geos::PolygonalParts(buffered));
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
