#pragma once
// The map's own graphics layer: a graphics container that holds the same elements as the
// map's view.

#include "host/carto/GraphicsContainer.h"

namespace host {

class BasicGraphicsLayer : public GraphicsContainer {
public:
    explicit BasicGraphicsLayer(const host::GraphicsContainer& sharing) : host::GraphicsContainer(ShareWith{sharing}) {}
};

}  // namespace host
