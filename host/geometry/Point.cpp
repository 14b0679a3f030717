#include "host/geometry/Point.h"

#include <cmath>
#include <limits>

#include "host/core/RuntimeError.h"
#include "host/geometry/Geos.h"

namespace host {

Point::Point() : Geometry(geos::EmptyOfType(GeometryTypeCode::Point)) {}

Point::Point(double x, double y) : Point() { PutCoords(x, y); }

Point::Point(GeosGeometry geometry) : Geometry(std::move(geometry)) {}

double Point::X() const {
    double x = std::numeric_limits<double>::quiet_NaN();
    if (!IsEmpty() && GEOSGeomGetX_r(geos::H(), Stored().get(), &x) == 0) geos::Fail("x");
    return x;
}

double Point::Y() const {
    double y = std::numeric_limits<double>::quiet_NaN();
    if (!IsEmpty() && GEOSGeomGetY_r(geos::H(), Stored().get(), &y) == 0) geos::Fail("y");
    return y;
}

void Point::PutCoords(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y))
        Raise(err::InvalidProcedureCall, "A coordinate is not a finite number.");
    Replace(GeosGeometry::Adopt(GEOSGeom_createPointFromXY_r(geos::H(), x, y)));
}

}  // namespace host
