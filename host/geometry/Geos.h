#pragma once
// GEOS plumbing for the host's geometry sources: the context handle of the current thread,
// the owner of one geometry, and the failure of a GEOS call as a run-time error. Only .cpp
// files of the host include this header.

#include <geos_c.h>

#include <memory>
#include <string>
#include <vector>

#include "host/geometry/GeosGeometry.h"

namespace host::geos {

// One GEOS context handle. Each thread gets its own on first use; geometries keep the
// context they were made with alive, so they may outlive the thread's own reference.
class Context {
public:
    Context();
    ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    GEOSContextHandle_t handle() const { return handle_; }
    const std::string& LastError() const { return lastError_; }
    void ClearError() { lastError_.clear(); }

private:
    static void OnError(const char* message, void* self);
    GEOSContextHandle_t handle_;
    std::string lastError_;
};

const std::shared_ptr<Context>& CurrentContext();
inline GEOSContextHandle_t H() { return CurrentContext()->handle(); }

// Raises the run-time error of a failed GEOS call, with GEOS's own message.
[[noreturn]] void Fail(const char* operation);

struct Holder {
    Holder(std::shared_ptr<Context> ctx, GEOSGeometry* g) : context(std::move(ctx)), geometry(g) {}
    ~Holder() {
        if (prepared != nullptr) GEOSPreparedGeom_destroy_r(context->handle(), prepared);
        GEOSGeom_destroy_r(context->handle(), geometry);
    }
    Holder(const Holder&) = delete;
    Holder& operator=(const Holder&) = delete;

    std::shared_ptr<Context> context;
    GEOSGeometry* geometry;
    mutable int validity = -1;  // -1 not yet known, 0 invalid, 1 valid
    mutable GeosGeometry repaired;
    mutable GeosGeometry bufferSource;
    mutable const GEOSPreparedGeometry* prepared = nullptr;  // refers to `geometry`
    mutable std::vector<GeosGeometry::Box> cover;
};

// A prepared geometry, released with the context it was made with.
class Prepared {
public:
    explicit Prepared(const GeosGeometry& geometry);
    ~Prepared();
    Prepared(const Prepared&) = delete;
    Prepared& operator=(const Prepared&) = delete;
    const GEOSPreparedGeometry* get() const { return prepared_; }

private:
    std::shared_ptr<Context> context_;
    GeosGeometry geometry_;  // a prepared geometry refers to its source
    const GEOSPreparedGeometry* prepared_;
};

// The STRtree of a spatial index.
struct TreeHolder {
    TreeHolder();
    ~TreeHolder();
    TreeHolder(const TreeHolder&) = delete;
    TreeHolder& operator=(const TreeHolder&) = delete;
    std::shared_ptr<Context> context;
    GEOSSTRtree* tree;
};

// A fresh copy that the caller owns (for handing to a collection constructor).
GEOSGeometry* CloneOf(const GEOSGeometry* geometry);

// Empty geometries of the host's types (a bag and an envelope give a collection and a
// polygon).
GeosGeometry EmptyOfType(long geometryType);

// True for polygons and multipolygons.
bool IsPolygonal(const GEOSGeometry* geometry);

// The polygonal parts of a geometry as one polygon or multipolygon (an empty polygon when
// there are none). Takes ownership of `geometry`.
GeosGeometry PolygonalParts(GEOSGeometry* geometry);

// A collection of the given type made of copies of the geometries.
GeosGeometry CollectionOf(int geosType, const std::vector<const GEOSGeometry*>& parts);

// The coordinates of a linestring or linear ring.
struct Xy {
    double x;
    double y;
};
std::vector<Xy> CoordinatesOf(const GEOSGeometry* line);
GEOSCoordSequence* SequenceOf(const std::vector<Xy>& coordinates);

// Arc segments per quadrant so that a chord never lies more than 0.1% of the radius inside
// the arc: 1 - cos(pi / (4 n)) <= 0.001.
int QuadrantSegments();

}  // namespace host::geos
