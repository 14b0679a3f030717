#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/data/Table.h"
#include "host/geometry/GeosGeometry.h"

namespace host {

class Envelope;
class Feature;
class FeatureCursor;
class SpatialIndex;
class SpatialReference;

// A table whose rows are features: an object id field, a geometry field named "Shape" and
// a shape per row, with an STRtree over the shapes built once.
class FeatureClass : public Table {
public:
    // `shapeType` is a geometry type code (1 point, 2 multipoint, 3 polyline, 4 polygon).
    FeatureClass(std::string name, Ref<host::Fields> fields, long oidField, long shapeField, long shapeType,
                 Ref<host::SpatialReference> spatialReference);
    ~FeatureClass() override;

    long ShapeType() const { return shapeType_; }
    std::string ShapeFieldName() const;
    long ShapeFieldIndex() const { return shapeField_; }
    Ref<host::SpatialReference> SpatialReference() const { return spatialReference_; }

    long FeatureCount(const Ref<QueryFilter>& filter) const { return RowCount(filter); }
    Ref<FeatureCursor> Search(const Ref<QueryFilter>& filter, bool recycling) const;
    Ref<Feature> GetFeature(std::int64_t oid) const;
    // The envelope of all shapes (empty when there are none).
    Ref<host::Envelope> Extent() const;

    // Loading: a row (as Table::AddRow) with its shape; an empty GeosGeometry stands for
    // a feature without geometry.
    void AddFeature(std::vector<Value> values, GeosGeometry shape);
    // A copy of the feature class in another coordinate system: the same fields, rows and
    // ids, every shape transformed (see CoordinateTransformation, whose errors it raises).
    Ref<FeatureClass> Projected(const Ref<host::SpatialReference>& target) const;

    // Builds the spatial index; queries build it when it is missing. Adding features
    // afterwards drops it.
    void BuildIndex() const;

    bool HasShapes() const override { return true; }
    Ref<Geometry> ShapeAt(std::size_t position) const override;
    bool IsGeometryField(const std::string& name) const override;
    std::vector<std::size_t> SpatialMatches(const SpatialFilter& filter) const override;

    // The stored shape (empty GeosGeometry for a feature without geometry).
    const GeosGeometry& StoredShape(std::size_t position) const { return shapes_[position]; }

private:
    long shapeField_;
    long shapeType_;
    Ref<host::SpatialReference> spatialReference_;
    std::vector<GeosGeometry> shapes_;
    mutable std::unique_ptr<SpatialIndex> index_;
    using Bounds = std::array<double, 4>;
    mutable std::optional<std::optional<Bounds>> extent_;  // outer: computed yet; inner: any shape
};

}  // namespace host
