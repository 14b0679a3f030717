#include "host/data/FeatureClass.h"

#include <algorithm>

#include "host/core/RuntimeError.h"
#include "host/data/Feature.h"
#include "host/data/FeatureCursor.h"
#include "host/data/SpatialFilter.h"
#include "host/geometry/CoordinateTransformation.h"
#include "host/geometry/Envelope.h"
#include "host/geometry/Geometry.h"
#include "host/geometry/SpatialIndex.h"
#include "host/geometry/SpatialReference.h"

namespace host {

FeatureClass::FeatureClass(std::string name, Ref<host::Fields> fields, long oidField, long shapeField, long shapeType,
                           Ref<host::SpatialReference> spatialReference)
    : Table(std::move(name), std::move(fields), oidField),
      shapeField_(shapeField),
      shapeType_(shapeType),
      spatialReference_(std::move(spatialReference)) {
    if (shapeField_ < 0 || shapeField_ >= Fields()->FieldCount()) Raise(err::SubscriptOutOfRange);
}

FeatureClass::~FeatureClass() = default;

std::string FeatureClass::ShapeFieldName() const { return Fields()->Field(shapeField_)->Name(); }

Ref<FeatureCursor> FeatureClass::Search(const Ref<QueryFilter>& filter, bool recycling) const {
    return As<FeatureCursor>(Table::Search(filter, recycling));
}

Ref<Feature> FeatureClass::GetFeature(std::int64_t oid) const { return As<Feature>(GetRow(oid)); }

Ref<Envelope> FeatureClass::Extent() const {
    if (!extent_) {
        // Computed once from the shapes' bounds; adding features forgets it.
        Bounds bounds{};
        bool any = false;
        for (const GeosGeometry& shape : shapes_) {
            double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
            if (!shape.Bounds(x0, y0, x1, y1)) continue;
            bounds = any ? Bounds{std::min(bounds[0], x0), std::min(bounds[1], y0), std::max(bounds[2], x1),
                                  std::max(bounds[3], y1)}
                         : Bounds{x0, y0, x1, y1};
            any = true;
        }
        extent_.emplace(any ? std::optional<Bounds>(bounds) : std::optional<Bounds>());
    }
    auto extent = New<Envelope>();
    if (*extent_) {
        const Bounds& b = **extent_;
        extent->PutCoords(b[0], b[1], b[2], b[3]);
    }
    extent->SetSpatialReference(spatialReference_);
    return extent;
}

void FeatureClass::AddFeature(std::vector<Value> values, GeosGeometry shape) {
    AddRow(std::move(values));
    shapes_.push_back(std::move(shape));
    index_.reset();
    extent_.reset();
}

Ref<FeatureClass> FeatureClass::Projected(const Ref<host::SpatialReference>& target) const {
    if (!target || !spatialReference_) Raise(err::ObjectNotSet);
    const CoordinateTransformation transformation(*spatialReference_, *target);
    auto projected = New<FeatureClass>(Name(), Fields(), OIDFieldIndex(), shapeField_, shapeType_, target);
    const long width = Fields()->FieldCount();
    projected->Reserve(Size());
    for (std::size_t position = 0; position < Size(); ++position) {
        std::vector<Value> values;
        values.reserve(static_cast<std::size_t>(width));
        for (long field = 0; field < width; ++field) values.push_back(ValueAt(position, field));
        projected->AddFeature(std::move(values), transformation.Transform(shapes_[position]));
    }
    projected->BuildIndex();
    return projected;
}

void FeatureClass::BuildIndex() const {
    if (!index_) index_ = std::make_unique<SpatialIndex>(shapes_);
}

Ref<Geometry> FeatureClass::ShapeAt(std::size_t position) const {
    if (position >= shapes_.size()) Raise(err::SubscriptOutOfRange);
    Ref<Geometry> shape = shapes_[position] ? Geometry::Wrap(shapes_[position]) : Geometry::EmptyOfType(shapeType_);
    shape->SetSpatialReference(spatialReference_);
    return shape;
}

bool FeatureClass::IsGeometryField(const std::string& name) const {
    return name.empty() || EqualIgnoringCase(name, ShapeFieldName());
}

std::vector<std::size_t> FeatureClass::SpatialMatches(const SpatialFilter& filter) const {
    BuildIndex();
    return index_->Query(filter.Geometry()->Geos(), filter.SpatialRel());
}

}  // namespace host
