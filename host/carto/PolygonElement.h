#pragma once
// A polygon drawn with a fill symbol.

#include "host/carto/FillShapeElement.h"

namespace host {

class PolygonElement : public FillShapeElement {
public:
    std::string Kind() const override { return "polygon"; }

protected:
    long GeometryTypeTaken() const override { return 4; }
};

}  // namespace host
