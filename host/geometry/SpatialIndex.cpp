#include "host/geometry/SpatialIndex.h"

#include <algorithm>
#include <cstdint>

#include "host/core/RuntimeError.h"
#include "host/geometry/Geos.h"

namespace host {

namespace {

// Vertices from which a shape is large enough to be kept prepared.
constexpr int kLargeShape = 1000;

// Items in the tree are positions + 1 (a null item pointer would be ambiguous).
void* ItemOf(std::size_t position) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(position + 1)); }

std::size_t PositionOf(void* item) { return static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(item)) - 1; }

void Collect(void* item, void* userdata) {
    static_cast<std::vector<std::size_t>*>(userdata)->push_back(PositionOf(item));
}

}  // namespace

SpatialIndex::SpatialIndex(const std::vector<GeosGeometry>& shapes)
    : shapes_(shapes), tree_(std::make_unique<geos::TreeHolder>()) {
    GEOSContextHandle_t h = geos::H();
    std::size_t inserted = 0;
    for (std::size_t i = 0; i < shapes_.size(); ++i) {
        if (shapes_[i].IsEmpty()) continue;
        GEOSSTRtree_insert_r(h, tree_->tree, shapes_[i].get(), ItemOf(i));
        ++inserted;
    }
    // The tree packs itself on its first query; do that now so that the first user query
    // does not pay for it.
    if (inserted > 0) {
        std::vector<std::size_t> none;
        GeosGeometry probe = GeosGeometry::Adopt(GEOSGeom_createPointFromXY_r(h, 0, 0));
        GEOSSTRtree_query_r(h, tree_->tree, probe.get(), &Collect, &none);
    }
}

SpatialIndex::~SpatialIndex() = default;

std::vector<std::size_t> SpatialIndex::Query(const GeosGeometry& filter, long relation) const {
    if (relation != SpatialRelation::Intersects && relation != SpatialRelation::Contains) {
        Raise(err::InvalidProcedureCall, "The spatial relation " + std::to_string(relation) + " is not supported.");
    }
    std::vector<std::size_t> matches;
    if (!filter || filter.IsEmpty()) return matches;

    GEOSContextHandle_t h = geos::H();
    GeosGeometry searched = geos::IsPolygonal(filter.get()) ? filter.Repaired() : filter;
    std::vector<std::size_t> candidates;
    // A filter whose parts' envelopes were recorded is searched with each of them (its
    // repair, should it need one, lies within the same parts); each shape is tested once.
    const std::vector<GeosGeometry::Box>& cover = filter.Cover();
    if (cover.empty()) {
        GEOSSTRtree_query_r(h, tree_->tree, searched.get(), &Collect, &candidates);
    } else {
        for (const GeosGeometry::Box& box : cover) {
            GeosGeometry rectangle =
                GeosGeometry::Adopt(GEOSGeom_createRectangle_r(h, box.xMin, box.yMin, box.xMax, box.yMax));
            GEOSSTRtree_query_r(h, tree_->tree, rectangle.get(), &Collect, &candidates);
        }
    }
    if (candidates.empty()) return matches;
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());

    geos::Prepared prepared(searched);
    auto test = [&](const GeosGeometry& shape) {
        if (relation == SpatialRelation::Contains) return GEOSPreparedContains_r(h, prepared.get(), shape.get());
        // Preparing the filter leaves each shape to be indexed again on every test, which for
        // a shape of thousands of vertices (a road parcel) costs more than the whole filter:
        // such a shape is prepared once, kept with it, and tested the other way round.
        if (GEOSGetNumCoordinates_r(h, shape.get()) >= kLargeShape)
            return GEOSPreparedIntersects_r(h, shape.Prepared(), searched.get());
        return GEOSPreparedIntersects_r(h, prepared.get(), shape.get());
    };
    for (std::size_t position : candidates) {
        const GeosGeometry& stored = shapes_[position];
        bool polygonal = geos::IsPolygonal(stored.get());
        // Containment is only meaningful for a valid shape; intersection is answered for
        // the shape as stored and, should GEOS fail on it, for its repair.
        GeosGeometry shape = relation == SpatialRelation::Contains && polygonal ? stored.Repaired() : stored;
        char answer = test(shape);
        if (answer == 2 && polygonal) answer = test(stored.Repaired());
        if (answer == 2) geos::Fail(relation == SpatialRelation::Intersects ? "intersects" : "contains");
        if (answer == 1) matches.push_back(position);
    }
    return matches;
}

}  // namespace host
