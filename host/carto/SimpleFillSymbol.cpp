#include "host/carto/SimpleFillSymbol.h"

#include "host/carto/SymbolChecks.h"

namespace host {

void SimpleFillSymbol::SetStyle(FillStyle style) { style_ = symbol_checks::InRange(style, FillStyle::DiagonalCross); }

Ref<SimpleLineSymbol> SimpleFillSymbol::Outline() const {
    if (!hasOutline_) return nullptr;
    return New<SimpleLineSymbol>(outline_);
}

void SimpleFillSymbol::SetOutline(const Ref<SimpleLineSymbol>& outline) {
    hasOutline_ = static_cast<bool>(outline);
    if (outline) outline_ = *outline;
}

}  // namespace host
