#include "host/carto/SimpleMarkerSymbol.h"

#include "host/carto/SymbolChecks.h"

namespace host {

void SimpleMarkerSymbol::SetStyle(MarkerStyle style) { style_ = symbol_checks::InRange(style, MarkerStyle::Diamond); }
void SimpleMarkerSymbol::SetSize(double size) { size_ = symbol_checks::NonNegative(size); }

}  // namespace host
