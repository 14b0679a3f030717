#pragma once
// What the symbol setters accept: a style within its enumeration, a width or size that is a
// finite number not below 0. Anything else raises error 5.

#include <cmath>

#include "host/core/RuntimeError.h"

namespace host::symbol_checks {

template <class Style> Style InRange(Style style, Style last) {
    auto value = static_cast<long>(style);
    if (value < 0 || value > static_cast<long>(last)) Raise(err::InvalidProcedureCall);
    return style;
}

inline double NonNegative(double value) {
    if (!std::isfinite(value) || value < 0) Raise(err::InvalidProcedureCall);
    return value;
}

}  // namespace host::symbol_checks
