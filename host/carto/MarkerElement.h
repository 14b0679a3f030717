#pragma once
// A point drawn with a marker symbol.

#include "host/carto/SimpleMarkerSymbol.h"
#include "host/carto/SymbolElement.h"

namespace host {

class MarkerElement : public SymbolElement<SimpleMarkerSymbol> {
public:
    std::string Kind() const override { return "marker"; }

protected:
    long GeometryTypeTaken() const override { return 1; }
};

}  // namespace host
