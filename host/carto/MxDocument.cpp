#include "host/carto/MxDocument.h"

#include "host/carto/Map.h"
#include "host/core/RuntimeError.h"

namespace host {

MxDocument::MxDocument() : focusMap_(New<Map>()), activeView_(focusMap_) {}

void MxDocument::SetFocusMap(const Ref<Map>& map) {
    if (!map) Raise(err::ObjectNotSet);
    focusMap_ = map;
}

void MxDocument::SetActiveView(const Ref<host::ActiveView>& view) {
    if (!view) Raise(err::ObjectNotSet);
    activeView_ = view;
}

void MxDocument::SetCommandBars(const Ref<host::CommandBars>& bars) {
    if (!bars) Raise(err::ObjectNotSet);
    commandBars_ = bars;
}

void MxDocument::TakeContents(MxDocument& other) {
    activeView_ = focusMap_;
    focusMap_->TakeContents(*other.focusMap_);
    filePath_ = other.filePath_;
}

}  // namespace host
