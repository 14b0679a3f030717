#pragma once
// A graphic element: a geometry drawn with a symbol on a view. Each kind of element takes
// one kind of geometry (a polygon element a polygon, a line element a polyline, a marker
// element a point); any other geometry raises error 13. Nothing leaves the element without
// a geometry.

#include <string>

#include "host/core/Ref.h"

namespace host {

class Geometry;

class Element {
public:
    Element() = default;
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;
    virtual ~Element() = default;

    Ref<host::Geometry> Geometry() const { return geometry_; }
    void SetGeometry(const Ref<host::Geometry>& geometry);

    // "polygon", "line" or "marker".
    virtual std::string Kind() const = 0;

protected:
    // The geometry type code the element takes (1 point, 3 polyline, 4 polygon).
    virtual long GeometryTypeTaken() const = 0;

private:
    Ref<host::Geometry> geometry_;
};

}  // namespace host
