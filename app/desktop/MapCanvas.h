#pragma once
// The map canvas: draws the document's active view. A change the view tells of (refresh,
// extent, selection, graphics) only marks the canvas, which paints once the event loop
// turns, so a handler that refreshes many times costs one paint. The view is shown as three
// pictures laid over each other, the layers, the selection's highlight and the graphics,
// each kept for its scene (what it shows, the extent and the size) and drawn again only when
// that changes: a new selection redraws the highlight alone, new graphics the graphics
// alone, a pan or zoom all three. A picture with many shapes in view is drawn on a worker
// thread from a snapshot (the host's model is not touched there); meanwhile the old picture
// is shown, moved and scaled to the new extent. The user pans by dragging (the pan tool,
// or the middle button with any tool), zooms with the wheel about the pointer, and with the
// select-features tool clicks or drags a rectangle to select the features of the visible
// layers there (Shift adds to the selection). Zooming and panning set the view's extent,
// so the extension sees the same extent the user sees.

#include <QPoint>
#include <QWidget>

#include "app/desktop/MapRenderer.h"
#include "app/desktop/ScenePicture.h"
#include "host/carto/ViewObservers.h"
#include "host/core/Ref.h"

class QRubberBand;

namespace host {
class ActiveView;
class MxDocument;
}  // namespace host

namespace desktop {

class MapCanvas : public QWidget {
    Q_OBJECT
public:
    enum class Tool { Pan, SelectFeatures };

    explicit MapCanvas(QWidget* parent = nullptr);
    ~MapCanvas() override;

    // Draws this document's active view from now on (nullptr: nothing).
    void SetDocument(const host::Ref<host::MxDocument>& document);
    const host::Ref<host::MxDocument>& Document() const { return document_; }

    Tool CurrentTool() const { return tool_; }
    void SetTool(Tool tool);

    // How the view's extent lies on the canvas now (invalid when there is nothing to show).
    ViewTransform Transform() const;

    // ---- What the user does, also for tests ----
    // The focus map's full extent becomes the view's extent.
    void ZoomToFullExtent();
    // Scales what the canvas shows by factor (below 1 zooms in), keeping the map point
    // under the pixel in place.
    void ZoomBy(double factor, QPointF aroundPixel);
    // Moves the map by the pixel offset (the map follows the pointer).
    void PanBy(QPointF pixels);
    // Selects the features of the visible feature layers that intersect the pixel
    // rectangle (a click: a few pixels around the point); the selection is replaced, or
    // with add extended.
    void SelectIn(const QRect& pixels, bool add);

    // Whether a picture is being drawn on a worker thread.
    bool IsDrawing() const;
    // Forgets the pictures and draws the whole view afresh.
    void Redraw();

    // Picks up a new active view of the document (the canvas also checks before drawing).
    void FollowActiveView();

signals:
    // The view told the canvas of a change (after the canvas marked itself for drawing).
    void viewChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Subscribe(const host::Ref<host::ActiveView>& view);
    void Unsubscribe();
    void SetMapExtent(const QRectF& extent);
    QRectF VisibleMapRect() const;
    // Marks the canvas for one paint on the next turn of the event loop.
    void ScheduleUpdate();
    // Makes the three pictures show the view as it is now.
    void WantScenes(const ViewTransform& transform);

    host::Ref<host::MxDocument> document_;
    host::Ref<host::ActiveView> view_;
    long token_ = 0;
    MapRenderer renderer_;
    ScenePicture<LayerScene> layers_;
    ScenePicture<LayerScene> selection_;
    ScenePicture<GraphicsScene> graphics_;
    bool updateScheduled_ = false;

    Tool tool_ = Tool::SelectFeatures;
    enum class Drag { None, Pan, Select } drag_ = Drag::None;
    QPoint dragStart_;
    QPoint panOffset_;
    QRubberBand* band_ = nullptr;
};

}  // namespace desktop
