#include "host/carto/ActiveView.h"

#include "host/core/RuntimeError.h"
#include "host/geometry/Envelope.h"

namespace host {

ActiveView::ActiveView() : ActiveView(std::make_shared<ViewObservers>()) {}

ActiveView::ActiveView(std::shared_ptr<ViewObservers> observers)
    : host::GraphicsContainer(observers), observers_(std::move(observers)) {}

void ActiveView::Refresh() {
    ++refreshCount_;
    observers_->Notify(ViewEvent::Refreshed);
}

void ActiveView::PartialRefresh(ViewPhase phase, const Ref<Layer>&, const Ref<Envelope>&) {
    ++partialRefreshCounts_[phase];
    observers_->Notify(ViewEvent::PartialRefreshed);
}

long ActiveView::PartialRefreshCount(ViewPhase phase) const {
    auto it = partialRefreshCounts_.find(phase);
    return it == partialRefreshCounts_.end() ? 0 : it->second;
}

Ref<Envelope> ActiveView::Extent() const {
    if (!hasExtent_) return New<Envelope>();
    return New<Envelope>(extent_[0], extent_[1], extent_[2], extent_[3]);
}

void ActiveView::SetExtent(const Ref<Envelope>& extent) {
    // A view must show some area: an empty envelope, or one without width or height, is refused.
    if (extent->IsEmpty() || !(extent->Width() > 0) || !(extent->Height() > 0)) {
        Raise(err::InvalidProcedureCall, "The extent has no area");
    }
    extent_[0] = extent->XMin();
    extent_[1] = extent->YMin();
    extent_[2] = extent->XMax();
    extent_[3] = extent->YMax();
    hasExtent_ = true;
    observers_->Notify(ViewEvent::ExtentChanged);
}

Ref<host::GraphicsContainer> ActiveView::GraphicsContainer() {
    return Ref<host::GraphicsContainer>(shared_from_this());
}

}  // namespace host
