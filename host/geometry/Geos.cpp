#include "host/geometry/Geos.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <numbers>

#include "host/core/RuntimeError.h"

namespace host::geos {

Context::Context() : handle_(GEOS_init_r()) {
    if (handle_ == nullptr) Raise(err::OutOfMemory);
    GEOSContext_setErrorMessageHandler_r(handle_, &Context::OnError, this);
}

Context::~Context() { GEOS_finish_r(handle_); }

void Context::OnError(const char* message, void* self) {
    static_cast<Context*>(self)->lastError_ = message != nullptr ? message : "";
}

const std::shared_ptr<Context>& CurrentContext() {
    thread_local const std::shared_ptr<Context> context = std::make_shared<Context>();
    return context;
}

void Fail(const char* operation) {
    std::string message = "Geometry operation failed: ";
    message += operation;
    const std::string& detail = CurrentContext()->LastError();
    if (!detail.empty()) {
        message += " (";
        message += detail;
        message += ')';
    }
    CurrentContext()->ClearError();
    Raise(err::AutomationError, std::move(message));
}

Prepared::Prepared(const GeosGeometry& geometry)
    : context_(CurrentContext()), geometry_(geometry), prepared_(GEOSPrepare_r(context_->handle(), geometry.get())) {
    if (prepared_ == nullptr) Fail("prepare");
}

Prepared::~Prepared() { GEOSPreparedGeom_destroy_r(context_->handle(), prepared_); }

TreeHolder::TreeHolder() : context(CurrentContext()), tree(GEOSSTRtree_create_r(context->handle(), 10)) {
    if (tree == nullptr) Fail("index");
}

TreeHolder::~TreeHolder() { GEOSSTRtree_destroy_r(context->handle(), tree); }

GEOSGeometry* CloneOf(const GEOSGeometry* geometry) {
    GEOSGeometry* copy = GEOSGeom_clone_r(H(), geometry);
    if (copy == nullptr) Fail("copy");
    return copy;
}

GeosGeometry EmptyOfType(long geometryType) {
    GEOSContextHandle_t h = H();
    switch (geometryType) {
    case 1: return GeosGeometry::Adopt(GEOSGeom_createEmptyPoint_r(h));
    case 2: return GeosGeometry::Adopt(GEOSGeom_createEmptyCollection_r(h, GEOS_MULTIPOINT));
    case 3: return GeosGeometry::Adopt(GEOSGeom_createEmptyLineString_r(h));
    case 4:
    case 5: return GeosGeometry::Adopt(GEOSGeom_createEmptyPolygon_r(h));
    default: return GeosGeometry::Adopt(GEOSGeom_createEmptyCollection_r(h, GEOS_GEOMETRYCOLLECTION));
    }
}

bool IsPolygonal(const GEOSGeometry* geometry) {
    int type = GEOSGeomTypeId_r(H(), geometry);
    return type == GEOS_POLYGON || type == GEOS_MULTIPOLYGON;
}

namespace {

void CollectPolygons(const GEOSGeometry* geometry, std::vector<const GEOSGeometry*>& out) {
    GEOSContextHandle_t h = H();
    int type = GEOSGeomTypeId_r(h, geometry);
    if (type == GEOS_POLYGON) {
        if (GEOSisEmpty_r(h, geometry) == 0) out.push_back(geometry);
    } else if (type == GEOS_MULTIPOLYGON || type == GEOS_GEOMETRYCOLLECTION) {
        int n = GEOSGetNumGeometries_r(h, geometry);
        for (int i = 0; i < n; ++i) CollectPolygons(GEOSGetGeometryN_r(h, geometry, i), out);
    }
}

}  // namespace

GeosGeometry PolygonalParts(GEOSGeometry* geometry) {
    GeosGeometry owned = GeosGeometry::Adopt(geometry);
    GEOSContextHandle_t h = H();
    int type = GEOSGeomTypeId_r(h, geometry);
    if (type == GEOS_POLYGON || type == GEOS_MULTIPOLYGON) return owned;
    std::vector<const GEOSGeometry*> polygons;
    CollectPolygons(geometry, polygons);
    if (polygons.empty()) return EmptyOfType(4);
    if (polygons.size() == 1) return GeosGeometry::Adopt(CloneOf(polygons.front()));
    return CollectionOf(GEOS_MULTIPOLYGON, polygons);
}

GeosGeometry CollectionOf(int geosType, const std::vector<const GEOSGeometry*>& parts) {
    std::vector<GEOSGeometry*> copies;
    copies.reserve(parts.size());
    try {
        for (const GEOSGeometry* part : parts) copies.push_back(CloneOf(part));
    } catch (...) {
        for (GEOSGeometry* copy : copies) GEOSGeom_destroy_r(H(), copy);
        throw;
    }
    GEOSGeometry* collection =
        GEOSGeom_createCollection_r(H(), geosType, copies.data(), static_cast<unsigned>(copies.size()));
    if (collection == nullptr) {
        for (GEOSGeometry* copy : copies) GEOSGeom_destroy_r(H(), copy);
        Fail("collection");
    }
    return GeosGeometry::Adopt(collection);
}

std::vector<Xy> CoordinatesOf(const GEOSGeometry* line) {
    GEOSContextHandle_t h = H();
    const GEOSCoordSequence* sequence = GEOSGeom_getCoordSeq_r(h, line);
    if (sequence == nullptr) Fail("coordinates");
    unsigned size = 0;
    if (GEOSCoordSeq_getSize_r(h, sequence, &size) == 0) Fail("coordinates");
    std::vector<Xy> out(size);
    for (unsigned i = 0; i < size; ++i) {
        if (GEOSCoordSeq_getXY_r(h, sequence, i, &out[i].x, &out[i].y) == 0) Fail("coordinates");
    }
    return out;
}

GEOSCoordSequence* SequenceOf(const std::vector<Xy>& coordinates) {
    GEOSContextHandle_t h = H();
    GEOSCoordSequence* sequence = GEOSCoordSeq_create_r(h, static_cast<unsigned>(coordinates.size()), 2);
    if (sequence == nullptr) Fail("coordinates");
    for (unsigned i = 0; i < coordinates.size(); ++i) {
        if (!std::isfinite(coordinates[i].x) || !std::isfinite(coordinates[i].y) ||
            GEOSCoordSeq_setXY_r(h, sequence, i, coordinates[i].x, coordinates[i].y) == 0) {
            GEOSCoordSeq_destroy_r(h, sequence);
            Raise(err::InvalidProcedureCall, "A coordinate is not a finite number.");
        }
    }
    return sequence;
}

// GEOS draws each arc of a buffer with the whole number of segments nearest to the arc's
// angle over its quantum (a quarter turn over the quadrant segments), so one segment can
// span up to one and a half quanta: an arc of 1.49 quanta is drawn as one chord. The quantum
// is chosen so that even such a chord stays within 0.1% of the distance (with the quantum
// alone in mind, real parcels' buffers fell 0.2% short of the distance).
int QuadrantSegments() {
    static const int segments = [] {
        const double tolerance = 0.001;
        const double halfAngle = std::acos(1.0 - tolerance);  // largest half-angle of one chord
        const double quantum = 2.0 * halfAngle / 1.5;
        return static_cast<int>(std::ceil((std::numbers::pi / 2.0) / quantum));
    }();
    return segments;
}

}  // namespace host::geos
