#pragma once
// A view that draws: its visible extent, its graphic elements (the view is itself a
// graphics container) and its redraws. Redraws are counted per kind so tests can see them,
// and every change is told to the view's observers so a front end can draw it.

#include <map>
#include <memory>

#include "host/carto/GraphicsContainer.h"
#include "host/carto/ViewObservers.h"
#include "host/core/Ref.h"

namespace host {

class Envelope;
class Layer;

// The drawing phases a partial refresh names.
enum class ViewPhase : long {
    Background = 1,
    Geography = 2,
    GeoSelection = 4,  // the selected features
    Graphics = 8,
    GraphicSelection = 16,
    Foreground = 32,
};

class ActiveView : public GraphicsContainer {
public:
    ActiveView();

    // Redraws everything.
    void Refresh();
    // Redraws one phase, for one layer (or all with Nothing) within an envelope (or all of
    // the view with Nothing).
    void PartialRefresh(ViewPhase phase, const Ref<Layer>& data = nullptr, const Ref<Envelope>& envelope = nullptr);
    long RefreshCount() const { return refreshCount_; }
    long PartialRefreshCount(ViewPhase phase) const;

    // A copy of the visible extent (empty until one is set).
    Ref<Envelope> Extent() const;
    // Error 91 for Nothing, error 5 for an envelope without area (empty, or no width or height).
    void SetExtent(const Ref<Envelope>& extent);

    // The view's graphics container: the view itself.
    Ref<host::GraphicsContainer> GraphicsContainer();

    long Subscribe(ViewObservers::Callback observer) { return observers_->Add(std::move(observer)); }
    void Unsubscribe(long token) { observers_->Remove(token); }

protected:
    std::weak_ptr<ViewObservers> Observers() const { return observers_; }
    // Forgets the visible extent (a view showing a map that has none yet).
    void ClearExtent() { hasExtent_ = false; }

private:
    explicit ActiveView(std::shared_ptr<ViewObservers> observers);

    std::shared_ptr<ViewObservers> observers_;
    long refreshCount_ = 0;
    std::map<ViewPhase, long> partialRefreshCounts_;
    double extent_[4] = {0, 0, 0, 0};
    bool hasExtent_ = false;
};

}  // namespace host
