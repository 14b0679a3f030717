#pragma once
// An element drawn with one kind of symbol, kept by value: setting a symbol copies it,
// reading one gives a copy. A new element has a new symbol of that kind.

#include "host/carto/Element.h"
#include "host/core/Ref.h"

namespace host {

template <class SymbolType> class SymbolElement : public Element {
public:
    Ref<SymbolType> Symbol() const { return New<SymbolType>(symbol_); }
    // Error 91 for Nothing.
    void SetSymbol(const Ref<SymbolType>& symbol) { symbol_ = *symbol; }

private:
    SymbolType symbol_;
};

}  // namespace host
