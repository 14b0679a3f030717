#pragma once
// A layer whose data source could not be opened (the file is gone, or the dataset has no
// such layer). It stays in the map with its name and source, so the map document keeps it,
// but it is neither a feature layer nor a group layer: walks over feature layers pass it by.

#include <optional>
#include <string>

#include "host/carto/JoinSpec.h"
#include "host/carto/Layer.h"

namespace host {

class MissingSourceLayer : public Layer {
public:
    MissingSourceLayer() = default;
    MissingSourceLayer(std::string name, SourceName source, std::string reason) : reason_(std::move(reason)) {
        SetName(std::move(name));
        SetSource(std::move(source));
    }

    // Why the source could not be opened.
    const std::string& Reason() const { return reason_; }

    // The join the layer would have, kept so that the map document writes it back.
    const std::optional<JoinSpec>& Join() const { return join_; }
    void SetJoin(std::optional<JoinSpec> join) { join_ = std::move(join); }

private:
    std::string reason_;
    std::optional<JoinSpec> join_;
};

}  // namespace host
