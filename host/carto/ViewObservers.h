#pragma once
// Who wants to hear that a view changed: a front end's canvas redraws on these. Observers
// are called synchronously, in the order they subscribed; one may unsubscribe itself (or
// another) while it is called.

#include <functional>
#include <utility>
#include <vector>

namespace host {

enum class ViewEvent {
    Refreshed,         // the whole view is to be redrawn
    PartialRefreshed,  // one drawing phase is to be redrawn
    ExtentChanged,     // the visible extent moved
    SelectionChanged,  // a layer's feature selection changed
    GraphicsChanged,   // an element was added or deleted
};

class ViewObservers {
public:
    using Observer = std::function<void(ViewEvent)>;

    // Returns a token for Remove.
    long Add(Observer observer);
    void Remove(long token);
    void Notify(ViewEvent event) const;

private:
    long nextToken_ = 1;
    std::vector<std::pair<long, Observer>> observers_;
};

}  // namespace host
