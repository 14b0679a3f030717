#pragma once
// An STRtree over the shapes of a feature class, built once, and the spatial query that
// uses it with a prepared filter geometry. The cost of a query grows with the number of
// candidates in the filter's envelope, not with the number of shapes.

#include <cstddef>
#include <memory>
#include <vector>

#include "host/geometry/GeosGeometry.h"

namespace host {

namespace geos {
struct TreeHolder;
}

// The host's spatial relation codes that the index answers.
namespace SpatialRelation {
inline constexpr long Intersects = 1;  // the filter geometry and the shape share a point
inline constexpr long Contains = 8;    // the filter geometry contains the shape
}  // namespace SpatialRelation

class SpatialIndex {
public:
    // Indexes the shapes by position; empty shapes are left out (they match nothing). The
    // vector is kept by reference and must outlive the index and stay unchanged.
    explicit SpatialIndex(const std::vector<GeosGeometry>& shapes);
    ~SpatialIndex();
    SpatialIndex(const SpatialIndex&) = delete;
    SpatialIndex& operator=(const SpatialIndex&) = delete;

    // Positions of the shapes in the relation with `filter`, ascending. Invalid shapes and
    // an invalid filter are repaired before they are related. A relation other than the
    // two above raises error 5; a relation GEOS cannot answer raises a run-time error.
    std::vector<std::size_t> Query(const GeosGeometry& filter, long relation) const;

private:
    const std::vector<GeosGeometry>& shapes_;
    std::unique_ptr<geos::TreeHolder> tree_;
};

}  // namespace host
