#pragma once
// An element whose shape is filled: drawn with a fill symbol. A new one has a new simple
// fill symbol. The symbol is kept by value.

#include "host/carto/Element.h"
#include "host/carto/SimpleFillSymbol.h"

namespace host {

class FillShapeElement : public Element {
public:
    Ref<SimpleFillSymbol> Symbol() const { return New<SimpleFillSymbol>(symbol_); }
    void SetSymbol(const Ref<SimpleFillSymbol>& symbol) { symbol_ = *symbol; }

private:
    SimpleFillSymbol symbol_;
};

}  // namespace host
