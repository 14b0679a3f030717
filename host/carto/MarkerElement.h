#pragma once
// A point drawn with a marker symbol (kept by value; a new element has a new one).

#include "host/carto/Element.h"
#include "host/carto/SimpleMarkerSymbol.h"

namespace host {

class MarkerElement : public Element {
public:
    Ref<SimpleMarkerSymbol> Symbol() const { return New<SimpleMarkerSymbol>(symbol_); }
    void SetSymbol(const Ref<SimpleMarkerSymbol>& symbol) { symbol_ = *symbol; }
    std::string Kind() const override { return "marker"; }

protected:
    long GeometryTypeTaken() const override { return 1; }

private:
    SimpleMarkerSymbol symbol_;
};

}  // namespace host
