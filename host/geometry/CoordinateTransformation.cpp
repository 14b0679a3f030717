#include "host/geometry/CoordinateTransformation.h"

#include <cpl_error.h>
#include <ogr_srs_api.h>

#include <cmath>

#include "host/core/RuntimeError.h"
#include "host/geometry/Geos.h"
#include "host/geometry/SpatialReference.h"

namespace host {

namespace {

OGRSpatialReferenceH ReadSystem(const SpatialReference& reference) {
    OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
    if (srs == nullptr) Raise(err::OutOfMemory);
    OSRSetAxisMappingStrategy(srs, OAMS_TRADITIONAL_GIS_ORDER);
    if (reference.IsUnknown() || OSRSetFromUserInput(srs, reference.Wkt().c_str()) != OGRERR_NONE) {
        OSRDestroySpatialReference(srs);
        return nullptr;
    }
    return srs;
}

std::string NameOf(const SpatialReference& reference) {
    return reference.Name().empty() ? std::string("an unnamed coordinate system") : reference.Name();
}

}  // namespace

struct CoordinateTransformation::Impl {
    ~Impl() {
        if (transformation != nullptr) OCTDestroyCoordinateTransformation(transformation);
        if (from != nullptr) OSRDestroySpatialReference(from);
        if (to != nullptr) OSRDestroySpatialReference(to);
    }
    OGRSpatialReferenceH from = nullptr;
    OGRSpatialReferenceH to = nullptr;
    OGRCoordinateTransformationH transformation = nullptr;
};

CoordinateTransformation::CoordinateTransformation(const SpatialReference& from, const SpatialReference& to)
    : impl_(std::make_unique<Impl>()) {
    CPLPushErrorHandler(CPLQuietErrorHandler);
    impl_->from = ReadSystem(from);
    impl_->to = ReadSystem(to);
    if (impl_->from != nullptr && impl_->to != nullptr) {
        impl_->transformation = OCTNewCoordinateTransformation(impl_->from, impl_->to);
    }
    CPLPopErrorHandler();
    if (impl_->transformation == nullptr) {
        Raise(err::InvalidProcedureCall, "No transformation from " + NameOf(from) + " to " + NameOf(to) + " is known");
    }
}

CoordinateTransformation::~CoordinateTransformation() = default;

GeosGeometry CoordinateTransformation::Transform(const GeosGeometry& shape) const {
    if (!shape || shape.IsEmpty()) return shape;
    auto move = [](double* x, double* y, void* userdata) -> int {
        auto* transformation = static_cast<OGRCoordinateTransformationH>(userdata);
        int success = 0;
        if (OCTTransformEx(transformation, 1, x, y, nullptr, &success) == 0 || success == 0) return 0;
        return std::isfinite(*x) && std::isfinite(*y) ? 1 : 0;
    };
    CPLPushErrorHandler(CPLQuietErrorHandler);
    GEOSGeometry* moved = GEOSGeom_transformXY_r(geos::H(), shape.get(), move, impl_->transformation);
    CPLPopErrorHandler();
    if (moved == nullptr) Raise(err::InvalidProcedureCall, "A coordinate could not be transformed");
    return GeosGeometry::Adopt(moved);
}

}  // namespace host
