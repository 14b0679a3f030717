#include "host/carto/SimpleLineSymbol.h"

#include "host/carto/SymbolChecks.h"

namespace host {

void SimpleLineSymbol::SetStyle(LineStyle style) { style_ = symbol_checks::InRange(style, LineStyle::InsideFrame); }
void SimpleLineSymbol::SetWidth(double width) { width_ = symbol_checks::NonNegative(width); }

}  // namespace host
