#pragma once

#include <string>

#include "host/data/QueryFilter.h"
#include "host/geometry/SpatialIndex.h"

namespace host {

class Geometry;

// A query by geometry (and, optionally, a where clause). The relation is one of the codes
// of SpatialRelation: 1 intersects, 8 the filter geometry contains the shape.
class SpatialFilter : public QueryFilter {
public:
    Ref<host::Geometry> Geometry() const { return geometry_; }
    void SetGeometry(Ref<host::Geometry> geometry) { geometry_ = std::move(geometry); }
    const std::string& GeometryField() const { return geometryField_; }
    void SetGeometryField(std::string field) { geometryField_ = std::move(field); }
    long SpatialRel() const { return spatialRel_; }
    void SetSpatialRel(long relation) { spatialRel_ = relation; }

private:
    Ref<host::Geometry> geometry_;
    std::string geometryField_;
    long spatialRel_ = SpatialRelation::Intersects;
};

}  // namespace host
