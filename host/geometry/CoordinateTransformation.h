#pragma once
// Moves shapes from one coordinate system into another with GDAL's coordinate
// transformation. Both systems keep the traditional GIS axis order: x is the easting or
// the longitude, y the northing or the latitude, whatever the authority says.

#include <memory>

#include "host/geometry/GeosGeometry.h"

namespace host {

class SpatialReference;

class CoordinateTransformation {
public:
    // Error 5 naming both systems when GDAL has no transformation between them (or either
    // is unknown).
    CoordinateTransformation(const SpatialReference& from, const SpatialReference& to);
    ~CoordinateTransformation();
    CoordinateTransformation(const CoordinateTransformation&) = delete;
    CoordinateTransformation& operator=(const CoordinateTransformation&) = delete;

    // The shape in the target system; an empty shape (or none) stays as it is. A coordinate
    // that cannot be transformed, or comes out not finite, raises error 5.
    GeosGeometry Transform(const GeosGeometry& shape) const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace host
