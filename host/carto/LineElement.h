#pragma once
// A polyline drawn with a line symbol (kept by value; a new element has a new one).

#include "host/carto/Element.h"
#include "host/carto/SimpleLineSymbol.h"

namespace host {

class LineElement : public Element {
public:
    Ref<SimpleLineSymbol> Symbol() const { return New<SimpleLineSymbol>(symbol_); }
    void SetSymbol(const Ref<SimpleLineSymbol>& symbol) { symbol_ = *symbol; }
    std::string Kind() const override { return "line"; }

protected:
    long GeometryTypeTaken() const override { return 3; }

private:
    SimpleLineSymbol symbol_;
};

}  // namespace host
