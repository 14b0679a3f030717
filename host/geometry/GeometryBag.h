#pragma once

#include <vector>

#include "host/geometry/Geometry.h"

namespace host {

// An ordered collection of geometries of any type.
class GeometryBag : public Geometry {
public:
    GeometryBag();

    long GeometryType() const override { return GeometryTypeCode::Bag; }
    void SetEmpty() override;

    long GeometryCount() const { return static_cast<long>(members_.size()); }
    Ref<host::Geometry> Geometry(long index) const;  // error 9 outside 0 .. count - 1
    // Adds at the end; an empty reference raises error 91.
    void AddGeometry(const Ref<host::Geometry>& geometry);

    GeosGeometry Geos() const override;

private:
    std::vector<Ref<host::Geometry>> members_;
};

}  // namespace host
