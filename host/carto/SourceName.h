#pragma once
// Where a layer's or a table's data comes from, as the map document file names it: the
// dataset's path (native, absolute once a document is read) and the layer's name within it
// (empty when the dataset's only layer is meant).

#include <string>

namespace host {

struct SourceName {
    std::string path;
    std::string layer;
    bool operator==(const SourceName&) const = default;
};

}  // namespace host
