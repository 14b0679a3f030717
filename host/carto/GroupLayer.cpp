#include "host/carto/GroupLayer.h"

#include "host/core/RuntimeError.h"

namespace host {

Ref<host::Layer> GroupLayer::Layer(long index) const {
    if (index < 0 || index >= Count()) Raise(err::SubscriptOutOfRange);
    return members_[static_cast<std::size_t>(index)];
}

void GroupLayer::Add(const Ref<host::Layer>& layer) {
    if (!layer) Raise(err::ObjectNotSet);
    if (layer.raw() == this) Raise(err::InvalidProcedureCall, "A group layer cannot hold itself");
    if (auto* group = dynamic_cast<GroupLayer*>(layer.raw()); group && group->Holds(*this)) {
        Raise(err::InvalidProcedureCall, "A group layer cannot hold itself");
    }
    members_.push_back(layer);
    if (listener_) layer->SetSelectionListener(listener_);
}

void GroupLayer::SetSelectionListener(std::function<void()> listener) {
    listener_ = std::move(listener);
    for (const Ref<host::Layer>& member : members_) member->SetSelectionListener(listener_);
}

bool GroupLayer::Holds(const host::Layer& layer) const {
    for (const Ref<host::Layer>& member : members_) {
        if (member.raw() == &layer) return true;
        if (auto* group = dynamic_cast<const GroupLayer*>(member.raw()); group && group->Holds(layer)) return true;
    }
    return false;
}

}  // namespace host
