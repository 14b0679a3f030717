#pragma once
// An element whose shape is filled: drawn with a fill symbol.

#include "host/carto/SimpleFillSymbol.h"
#include "host/carto/SymbolElement.h"

namespace host {

class FillShapeElement : public SymbolElement<SimpleFillSymbol> {};

}  // namespace host
