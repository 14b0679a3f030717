#pragma once
// A layer made of other layers (its members), in order, index from 0.

#include <functional>
#include <vector>

#include "host/carto/Layer.h"
#include "host/core/Ref.h"

namespace host {

class GroupLayer : public Layer {
public:
    long Count() const { return static_cast<long>(members_.size()); }
    // Error 9 outside 0 to Count - 1.
    Ref<host::Layer> Layer(long index) const;
    // Adds a member after the others. Error 91 for Nothing; error 5 for the group itself or
    // a group that holds this one (a group cannot hold itself).
    void Add(const Ref<host::Layer>& layer);

    void SetSelectionListener(std::function<void()> listener) override;

    // True when this group holds the layer, directly or deeper.
    bool Holds(const host::Layer& layer) const;

private:
    std::vector<Ref<host::Layer>> members_;
    std::function<void()> listener_;
};

}  // namespace host
