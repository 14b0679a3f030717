#pragma once
// A polyline drawn with a line symbol.

#include "host/carto/SimpleLineSymbol.h"
#include "host/carto/SymbolElement.h"

namespace host {

class LineElement : public SymbolElement<SimpleLineSymbol> {
public:
    std::string Kind() const override { return "line"; }

protected:
    long GeometryTypeTaken() const override { return 3; }
};

}  // namespace host
