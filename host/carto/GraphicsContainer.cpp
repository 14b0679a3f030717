#include "host/carto/GraphicsContainer.h"

#include <algorithm>

namespace host {

GraphicsContainer::GraphicsContainer() : shared_(std::make_shared<Shared>()) {}

GraphicsContainer::GraphicsContainer(std::shared_ptr<ViewObservers> observers) : shared_(std::make_shared<Shared>()) {
    shared_->observers = std::move(observers);
}

void GraphicsContainer::AddElement(const Ref<host::Element>& element, long) {
    if (!element) Raise(err::ObjectNotSet);
    shared_->elements.push_back(element);
    Changed();
}

void GraphicsContainer::DeleteElement(const Ref<host::Element>& element) {
    if (!element) Raise(err::ObjectNotSet);
    auto& elements = shared_->elements;
    auto it = std::find(elements.begin(), elements.end(), element);
    if (it == elements.end()) Raise(err::InvalidProcedureCall);
    auto index = static_cast<std::size_t>(it - elements.begin());
    elements.erase(it);
    if (shared_->cursor > index) --shared_->cursor;
    Changed();
}

void GraphicsContainer::DeleteAllElements() {
    shared_->elements.clear();
    shared_->cursor = 0;
    Changed();
}

long GraphicsContainer::ElementCount() const { return static_cast<long>(shared_->elements.size()); }

Ref<host::Element> GraphicsContainer::Element(long index) const {
    if (index < 0 || index >= ElementCount()) Raise(err::SubscriptOutOfRange);
    return shared_->elements[static_cast<std::size_t>(index)];
}

std::vector<Ref<host::Element>> GraphicsContainer::Elements() const { return shared_->elements; }

void GraphicsContainer::Reset() { shared_->cursor = 0; }

Ref<host::Element> GraphicsContainer::Next() {
    if (shared_->cursor >= shared_->elements.size()) return nullptr;
    return shared_->elements[shared_->cursor++];
}

void GraphicsContainer::Changed() const {
    if (shared_->observers) shared_->observers->Notify(ViewEvent::GraphicsChanged);
}

}  // namespace host
