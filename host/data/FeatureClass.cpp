#include "host/data/FeatureClass.h"

#include "host/core/RuntimeError.h"
#include "host/data/Feature.h"
#include "host/data/FeatureCursor.h"
#include "host/data/SpatialFilter.h"
#include "host/geometry/Envelope.h"
#include "host/geometry/Geometry.h"
#include "host/geometry/SpatialIndex.h"
#include "host/geometry/SpatialReference.h"

namespace host {

FeatureClass::FeatureClass(std::string name, Ref<host::Fields> fields, long oidField, long shapeField, long shapeType,
                           Ref<host::SpatialReference> spatialReference)
    : Table(std::move(name), std::move(fields), oidField), shapeField_(shapeField), shapeType_(shapeType),
      spatialReference_(std::move(spatialReference)) {
    if (shapeField_ < 0 || shapeField_ >= Fields()->FieldCount()) Raise(err::SubscriptOutOfRange);
}

FeatureClass::~FeatureClass() = default;

std::string FeatureClass::ShapeFieldName() const { return Fields()->Field(shapeField_)->Name(); }

Ref<FeatureCursor> FeatureClass::Search(const Ref<QueryFilter>& filter, bool recycling) const {
    return As<FeatureCursor>(Table::Search(filter, recycling));
}

Ref<Feature> FeatureClass::GetFeature(long oid) const { return As<Feature>(GetRow(oid)); }

Ref<Envelope> FeatureClass::Extent() const {
    auto extent = New<Envelope>();
    for (const GeosGeometry& shape : shapes_) {
        if (shape && !shape.IsEmpty()) extent->Union(Geometry::Wrap(shape)->Envelope());
    }
    extent->SetSpatialReference(spatialReference_);
    return extent;
}

void FeatureClass::AddFeature(std::vector<Value> values, GeosGeometry shape) {
    AddRow(std::move(values));
    shapes_.push_back(std::move(shape));
    index_.reset();
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
