#pragma once
// Who wants to hear that a view changed: a front end's canvas redraws on these. Observers
// are called synchronously, in the order they subscribed; one may unsubscribe itself (or
// another) while it is called.

#include "host/core/Observers.h"

namespace host {

enum class ViewEvent {
    Refreshed,         // the whole view is to be redrawn
    PartialRefreshed,  // one drawing phase is to be redrawn
    ExtentChanged,     // the visible extent moved
    SelectionChanged,  // a layer's feature selection changed
    GraphicsChanged,   // an element was added or deleted
};

using ViewObservers = Observers<ViewEvent>;

}  // namespace host
