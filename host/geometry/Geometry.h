#pragma once
// The base of the host's geometries: a type code, emptiness, the envelope, the spatial
// reference, and the topological operations callers rely on (buffer, contains, intersects).

#include <string>
#include <vector>

#include "host/core/Ref.h"
#include "host/geometry/GeosGeometry.h"

namespace host {

class Envelope;
class Polygon;
class SpatialReference;

// The host's geometry type codes.
namespace GeometryTypeCode {
inline constexpr long Null = 0;
inline constexpr long Point = 1;
inline constexpr long Multipoint = 2;
inline constexpr long Polyline = 3;
inline constexpr long Polygon = 4;
inline constexpr long Envelope = 5;
inline constexpr long Bag = 17;
}  // namespace GeometryTypeCode

struct Coordinate {
    double x = 0;
    double y = 0;
    bool operator==(const Coordinate&) const = default;
};

class Geometry {
public:
    virtual ~Geometry();
    Geometry(const Geometry&) = delete;
    Geometry& operator=(const Geometry&) = delete;

    virtual long GeometryType() const = 0;
    bool IsEmpty() const;
    virtual void SetEmpty();

    // The smallest upright rectangle around the geometry (empty for an empty geometry).
    Ref<host::Envelope> Envelope() const;

    Ref<host::SpatialReference> SpatialReference() const { return spatialReference_; }
    void SetSpatialReference(Ref<host::SpatialReference> reference) { spatialReference_ = std::move(reference); }

    // The area within `distance` map units of the geometry, round joins and caps, arcs
    // followed within 0.1% of the distance. Invalid polygons are repaired first, so no part
    // of the input is lost. A positive distance too small for the coordinates still gives
    // the geometry itself (a point or line: its smallest resolvable buffer), never nothing.
    // An empty geometry buffers to an empty polygon; a distance that is not a finite number
    // raises error 5.
    Ref<host::Polygon> Buffer(double distance) const;

    // Relations; an empty geometry on either side gives False. A relation GEOS cannot
    // answer raises a run-time error, never a silent answer.
    bool Contains(const Ref<Geometry>& other) const;
    bool Intersects(const Ref<Geometry>& other) const;

    // Well-known text, for tests and diagnostics.
    std::string ToWkt() const;

    // The GEOS geometry that stands for this one (an envelope gives its rectangle, a bag a
    // collection of its members).
    virtual GeosGeometry Geos() const;

    // The matching host geometry for a GEOS geometry: points give Point, multipoints
    // Multipoint, (multi)linestrings Polyline, (multi)polygons Polygon, anything else a
    // GeometryBag of its parts.
    static Ref<Geometry> Wrap(GeosGeometry geometry);
    // Reads well-known text; text GEOS cannot read raises error 5.
    static Ref<Geometry> FromWkt(const std::string& wkt);
    // A new empty geometry of a type code (1 point ... 5 envelope, 17 bag; error 5 else).
    static Ref<Geometry> EmptyOfType(long geometryType);

protected:
    explicit Geometry(GeosGeometry geometry);
    void Replace(GeosGeometry geometry);
    const GeosGeometry& Stored() const { return geometry_; }

private:
    GeosGeometry geometry_;
    Ref<host::SpatialReference> spatialReference_;
};

}  // namespace host
