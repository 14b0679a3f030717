#include "host/geometry/GeosGeometry.h"

#include "host/geometry/Geos.h"

namespace host {

GeosGeometry GeosGeometry::Adopt(GEOSGeom_t* geometry) {
    if (geometry == nullptr) geos::Fail("make geometry");
    GeosGeometry result;
    try {
        result.holder_ = std::make_shared<geos::Holder>(geos::CurrentContext(), geometry);
    } catch (...) {
        GEOSGeom_destroy_r(geos::H(), geometry);
        throw;
    }
    return result;
}

const GEOSGeom_t* GeosGeometry::get() const { return holder_ ? holder_->geometry : nullptr; }

bool GeosGeometry::IsEmpty() const {
    if (!holder_) return true;
    char empty = GEOSisEmpty_r(geos::H(), holder_->geometry);
    if (empty == 2) geos::Fail("is empty");
    return empty == 1;
}

bool GeosGeometry::Bounds(double& xMin, double& yMin, double& xMax, double& yMax) const {
    if (IsEmpty()) return false;
    GEOSContextHandle_t h = geos::H();
    if (GEOSGeom_getXMin_r(h, holder_->geometry, &xMin) == 0 || GEOSGeom_getYMin_r(h, holder_->geometry, &yMin) == 0 ||
        GEOSGeom_getXMax_r(h, holder_->geometry, &xMax) == 0 || GEOSGeom_getYMax_r(h, holder_->geometry, &yMax) == 0) {
        geos::Fail("envelope");
    }
    return true;
}

bool GeosGeometry::IsValid() const {
    if (!holder_) return true;
    if (holder_->validity < 0) {
        char valid = GEOSisValid_r(geos::H(), holder_->geometry);
        if (valid == 2) geos::Fail("is valid");
        holder_->validity = valid;
    }
    return holder_->validity == 1;
}

GeosGeometry GeosGeometry::Repaired() const {
    if (IsValid()) return *this;
    if (!holder_->repaired) {
        GEOSContextHandle_t h = geos::H();
        GEOSMakeValidParams* params = GEOSMakeValidParams_create_r(h);
        if (params == nullptr) geos::Fail("make valid");
        GEOSMakeValidParams_setMethod_r(h, params, GEOS_MAKE_VALID_STRUCTURE);
        GEOSMakeValidParams_setKeepCollapsed_r(h, params, 0);
        GEOSGeometry* valid = GEOSMakeValidWithParams_r(h, holder_->geometry, params);
        GEOSMakeValidParams_destroy_r(h, params);
        if (valid == nullptr) geos::Fail("make valid");
        GeosGeometry repaired = geos::IsPolygonal(holder_->geometry) ? geos::PolygonalParts(valid) : Adopt(valid);
        holder_->repaired = repaired;
    }
    return holder_->repaired;
}

GeosGeometry GeosGeometry::BufferSource() const {
    if (!holder_ || !geos::IsPolygonal(holder_->geometry) || IsValid()) return *this;
    if (!holder_->bufferSource) {
        // The repair keeps only polygonal parts and drops collapsed ones (a zero-area spike
        // of a parcel's outline); the part of the polygon's own rings that it left out is
        // buffered with it. (Buffering the whole rings would do too, at many times the cost
        // for a large parcel.)
        GeosGeometry repaired = Repaired();
        GEOSContextHandle_t h = geos::H();
        GeosGeometry rings = Adopt(GEOSBoundary_r(h, holder_->geometry));
        GEOSGeometry* dropped = GEOSDifference_r(h, rings.get(), repaired.get());
        GeosGeometry leftOut = dropped != nullptr ? Adopt(dropped) : rings;
        holder_->bufferSource =
            leftOut.IsEmpty() ? repaired : geos::CollectionOf(GEOS_GEOMETRYCOLLECTION, {repaired.get(), leftOut.get()});
    }
    return holder_->bufferSource;
}

const GEOSPrepGeom_t* GeosGeometry::Prepared() const {
    if (!holder_) return nullptr;
    if (holder_->prepared == nullptr) {
        holder_->prepared = GEOSPrepare_r(holder_->context->handle(), holder_->geometry);
        if (holder_->prepared == nullptr) geos::Fail("prepare");
    }
    return holder_->prepared;
}

const std::vector<GeosGeometry::Box>& GeosGeometry::Cover() const {
    static const std::vector<Box> none;
    return holder_ ? holder_->cover : none;
}

void GeosGeometry::SetCover(std::vector<Box> boxes) const {
    if (holder_) holder_->cover = std::move(boxes);
}

}  // namespace host

namespace host {

namespace {

struct WkbReader {
    WkbReader() : context(geos::CurrentContext()), reader(GEOSWKBReader_create_r(context->handle())) {
        if (reader == nullptr) geos::Fail("read binary");
    }
    ~WkbReader() { GEOSWKBReader_destroy_r(context->handle(), reader); }
    WkbReader(const WkbReader&) = delete;
    WkbReader& operator=(const WkbReader&) = delete;
    std::shared_ptr<geos::Context> context;
    GEOSWKBReader* reader;
};

}  // namespace

GeosGeometry GeosGeometry::FromWkb(const unsigned char* bytes, std::size_t size) {
    thread_local WkbReader reader;
    GEOSGeometry* g = GEOSWKBReader_read_r(reader.context->handle(), reader.reader, bytes, size);
    if (g == nullptr) geos::Fail("read binary");
    return Adopt(g);
}

}  // namespace host
