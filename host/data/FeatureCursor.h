#pragma once

#include "host/data/Cursor.h"

namespace host {

class Feature;

// A cursor over the rows of a table with shapes.
class FeatureCursor : public Cursor {
public:
    using Cursor::Cursor;
    Ref<Feature> NextFeature();  // nothing at the end
};

}  // namespace host
