#include "host/carto/Element.h"

#include "host/core/RuntimeError.h"
#include "host/geometry/Geometry.h"

namespace host {

void Element::SetGeometry(const Ref<host::Geometry>& geometry) {
    if (geometry && geometry->GeometryType() != GeometryTypeTaken()) Raise(err::TypeMismatch);
    geometry_ = geometry;
}

}  // namespace host
