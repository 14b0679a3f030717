#pragma once
// A container of graphic elements. Containers can share one list of elements: the active
// view, the container its GraphicsContainer property returns and the map's basic graphics
// layer are the same list seen three ways, so deleting all elements through any of them
// removes every element added through any of them.

#include <cstddef>
#include <memory>
#include <vector>

#include "host/carto/Element.h"
#include "host/carto/ViewObservers.h"
#include "host/core/Ref.h"

namespace host {

class GraphicsContainer : public std::enable_shared_from_this<GraphicsContainer> {
public:
    // A container with a list of its own.
    GraphicsContainer();
    GraphicsContainer(const GraphicsContainer&) = delete;
    GraphicsContainer& operator=(const GraphicsContainer&) = delete;
    virtual ~GraphicsContainer() = default;

    // Adds the element on top of the others. The z-order argument is accepted as callers
    // pass it (0); elements draw in the order they were added. Error 91 for Nothing.
    void AddElement(const Ref<host::Element>& element, long zOrder);
    // Error 5 when the element is not in the container.
    void DeleteElement(const Ref<host::Element>& element);
    void DeleteAllElements();

    long ElementCount() const;
    // Error 9 outside 0 to ElementCount - 1.
    Ref<host::Element> Element(long index) const;
    std::vector<Ref<host::Element>> Elements() const;

    // Walks the elements: Reset, then Next until it gives Nothing.
    void Reset();
    Ref<host::Element> Next();

    // True when the two containers hold the same list.
    bool SharesElementsWith(const GraphicsContainer& other) const { return shared_ == other.shared_; }

protected:
    struct Shared {
        std::vector<Ref<host::Element>> elements;
        std::size_t cursor = 0;
        std::shared_ptr<ViewObservers> observers;  // told of every change; may be empty
    };

    // A container with a new list whose changes go to these observers.
    explicit GraphicsContainer(std::shared_ptr<ViewObservers> observers);
    // A container that holds the same list as another.
    struct ShareWith {
        const GraphicsContainer& other;
    };
    explicit GraphicsContainer(ShareWith sharing) : shared_(sharing.other.shared_) {}

private:
    void Changed() const;

    std::shared_ptr<Shared> shared_;
};

}  // namespace host
