#include "host/geometry/SpatialReference.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <ogr_srs_api.h>

#include <cstdlib>

#include "host/core/RuntimeError.h"

namespace host {

namespace {

// A coordinate system for GDAL to read a definition into. GDAL and PROJ report a definition
// they cannot read through GDAL's error handler, which prints it on standard error; while
// an Srs lives they print nothing, and the caller raises its own error.
struct Srs {
    Srs() {
        CPLPushErrorHandler(CPLQuietErrorHandler);
        handle = OSRNewSpatialReference(nullptr);
        if (handle == nullptr) {
            CPLPopErrorHandler();
            Raise(err::OutOfMemory);
        }
        OSRSetAxisMappingStrategy(handle, OAMS_TRADITIONAL_GIS_ORDER);
    }
    ~Srs() {
        OSRDestroySpatialReference(handle);
        CPLPopErrorHandler();
    }
    Srs(const Srs&) = delete;
    Srs& operator=(const Srs&) = delete;
    OGRSpatialReferenceH handle = nullptr;
};

}  // namespace

SpatialReference::SpatialReference(std::string name, std::string wkt, long factoryCode)
    : name_(std::move(name)), wkt_(std::move(wkt)), factoryCode_(factoryCode) {}

Ref<SpatialReference> SpatialReference::FromUserInput(const std::string& definition) {
    Srs srs;
    if (OSRSetFromUserInput(srs.handle, definition.c_str()) != OGRERR_NONE) {
        Raise(err::InvalidProcedureCall, "Not a coordinate system: " + definition);
    }
    char* wkt = nullptr;
    if (OSRExportToWkt(srs.handle, &wkt) != OGRERR_NONE)
        Raise(err::InvalidProcedureCall, "Not a coordinate system: " + definition);
    std::string text(wkt);
    CPLFree(wkt);
    const char* name = OSRGetName(srs.handle);
    long code = 0;
    const char* authority = OSRGetAuthorityCode(srs.handle, nullptr);
    if (authority != nullptr) code = std::strtol(authority, nullptr, 10);
    return New<SpatialReference>(name != nullptr ? name : "", std::move(text), code);
}

bool SpatialReference::IsSame(const SpatialReference& other) const {
    if (IsUnknown() || other.IsUnknown()) return IsUnknown() == other.IsUnknown();
    if (wkt_ == other.wkt_) return true;
    Srs a, b;
    if (OSRSetFromUserInput(a.handle, wkt_.c_str()) != OGRERR_NONE ||
        OSRSetFromUserInput(b.handle, other.wkt_.c_str()) != OGRERR_NONE) {
        return false;
    }
    return OSRIsSame(a.handle, b.handle) != 0;
}

bool SpatialReference::IsGeographic() const {
    if (IsUnknown()) return false;
    Srs srs;
    return OSRSetFromUserInput(srs.handle, wkt_.c_str()) == OGRERR_NONE && OSRIsGeographic(srs.handle) != 0;
}

}  // namespace host
