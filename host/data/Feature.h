#pragma once

#include "host/data/Row.h"

namespace host {

class Geometry;

// A row of a feature class (or of a display table built on one): a row with a shape.
class Feature : public Row {
public:
    using Row::Row;

    // The feature's geometry: a new host object on each call, sharing the stored geometry.
    // A feature without geometry gives an empty geometry of the class's shape type.
    Ref<host::Geometry> Shape() const;
};

}  // namespace host
