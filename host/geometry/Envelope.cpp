#include "host/geometry/Envelope.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "host/core/RuntimeError.h"
#include "host/geometry/Geos.h"

namespace host {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}

Envelope::Envelope()
    : Geometry(geos::EmptyOfType(GeometryTypeCode::Envelope)), xMin_(kNaN), yMin_(kNaN), xMax_(kNaN), yMax_(kNaN) {}

Envelope::Envelope(double xMin, double yMin, double xMax, double yMax) : Envelope() {
    PutCoords(xMin, yMin, xMax, yMax);
}

void Envelope::SetEmpty() {
    xMin_ = yMin_ = xMax_ = yMax_ = kNaN;
    Replace(geos::EmptyOfType(GeometryTypeCode::Envelope));
}

double Envelope::Width() const { return std::isnan(xMin_) ? 0.0 : xMax_ - xMin_; }

double Envelope::Height() const { return std::isnan(yMin_) ? 0.0 : yMax_ - yMin_; }

void Envelope::PutCoords(double xMin, double yMin, double xMax, double yMax) {
    if (!std::isfinite(xMin) || !std::isfinite(yMin) || !std::isfinite(xMax) || !std::isfinite(yMax)) {
        Raise(err::InvalidProcedureCall, "A coordinate is not a finite number.");
    }
    xMin_ = std::min(xMin, xMax);
    xMax_ = std::max(xMin, xMax);
    yMin_ = std::min(yMin, yMax);
    yMax_ = std::max(yMin, yMax);
    Update();
}

void Envelope::Union(const Ref<Envelope>& other) {
    if (other->IsEmpty()) return;
    if (IsEmpty()) {
        PutCoords(other->xMin_, other->yMin_, other->xMax_, other->yMax_);
        return;
    }
    PutCoords(std::min(xMin_, other->xMin_), std::min(yMin_, other->yMin_), std::max(xMax_, other->xMax_),
              std::max(yMax_, other->yMax_));
}

void Envelope::Expand(double dx, double dy, bool asRatio) {
    if (IsEmpty()) return;
    if (asRatio) {
        double cx = (xMin_ + xMax_) / 2, cy = (yMin_ + yMax_) / 2;
        double hw = Width() * dx / 2, hh = Height() * dy / 2;
        PutCoords(cx - hw, cy - hh, cx + hw, cy + hh);
    } else {
        PutCoords(xMin_ - dx, yMin_ - dy, xMax_ + dx, yMax_ + dy);
    }
}

GeosGeometry Envelope::Geos() const { return Stored(); }

void Envelope::Update() {
    GEOSContextHandle_t h = geos::H();
    if (xMin_ == xMax_ && yMin_ == yMax_) {
        Replace(GeosGeometry::Adopt(GEOSGeom_createPointFromXY_r(h, xMin_, yMin_)));
    } else if (xMin_ == xMax_ || yMin_ == yMax_) {
        Replace(
            GeosGeometry::Adopt(GEOSGeom_createLineString_r(h, geos::SequenceOf({{xMin_, yMin_}, {xMax_, yMax_}}))));
    } else {
        Replace(GeosGeometry::Adopt(GEOSGeom_createRectangle_r(h, xMin_, yMin_, xMax_, yMax_)));
    }
}

}  // namespace host
