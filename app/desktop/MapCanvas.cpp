#include "app/desktop/MapCanvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QTimer>
#include <QWheelEvent>

#include <cmath>

#include "app/desktop/FormView.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/Map.h"
#include "host/carto/MxDocument.h"
#include "host/core/ErrorTrap.h"
#include "host/data/FeatureClass.h"
#include "host/data/SelectionSet.h"
#include "host/data/SpatialFilter.h"
#include "host/geometry/Envelope.h"

namespace desktop {

namespace {

// A click selects what lies within this many pixels of the point.
constexpr int kClickTolerance = 3;
// A press that moves less than this is a click, not a drag.
constexpr int kDragThreshold = 4;

}  // namespace

MapCanvas::MapCanvas(QWidget* parent)
    : QWidget(parent),
      layers_(this, [this] { update(); }),
      selection_(this, [this] { update(); }),
      graphics_(this, [this] { update(); }) {
    setObjectName(QStringLiteral("mapCanvas"));
    setMinimumSize(200, 150);
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetTool(Tool::SelectFeatures);
}

MapCanvas::~MapCanvas() { Unsubscribe(); }

void MapCanvas::SetDocument(const host::Ref<host::MxDocument>& document) {
    document_ = document;
    FollowActiveView();
    ScheduleUpdate();
}

void MapCanvas::FollowActiveView() {
    host::Ref<host::ActiveView> view = document_ ? document_->ActiveView() : nullptr;
    if (view == view_) return;
    Unsubscribe();
    Subscribe(view);
    ScheduleUpdate();
}

void MapCanvas::Subscribe(const host::Ref<host::ActiveView>& view) {
    view_ = view;
    if (!view_) return;
    token_ = view_->Subscribe([this](host::ViewEvent) {
        ScheduleUpdate();
        emit viewChanged();
    });
}

void MapCanvas::Unsubscribe() {
    if (view_) view_->Unsubscribe(token_);
    view_ = nullptr;
    token_ = 0;
}

void MapCanvas::SetTool(Tool tool) {
    tool_ = tool;
    setCursor(tool == Tool::Pan ? Qt::OpenHandCursor : Qt::CrossCursor);
}

ViewTransform MapCanvas::Transform() const {
    if (!view_) return {};
    return ViewTransform(ViewExtent(*view_), QSizeF(size()));
}

QRectF MapCanvas::VisibleMapRect() const {
    const ViewTransform transform = Transform();
    return transform.IsValid() ? transform.ToMap(QRectF(rect())) : QRectF();
}

void MapCanvas::SetMapExtent(const QRectF& extent) {
    if (!view_ || extent.isNull()) return;
    host::Ref<host::ActiveView> view = view_;
    RunUserAction([&] {
        view->SetExtent(host::New<host::Envelope>(extent.left(), extent.top(), extent.right(), extent.bottom()));
    });
}

void MapCanvas::ZoomToFullExtent() {
    if (!document_) return;
    host::Ref<host::MxDocument> document = document_;
    RunUserAction([&] {
        host::Ref<host::Envelope> full = document->FocusMap()->FullExtent();
        if (!full->IsEmpty() && full->Width() > 0 && full->Height() > 0) document->ActiveView()->SetExtent(full);
    });
}

void MapCanvas::ZoomBy(double factor, QPointF aroundPixel) {
    const ViewTransform transform = Transform();
    if (!transform.IsValid() || !(factor > 0) || !std::isfinite(factor)) return;
    const QRectF visible = VisibleMapRect();
    const QPointF at = transform.ToMap(aroundPixel);
    const double left = at.x() - (at.x() - visible.left()) * factor;
    const double bottom = at.y() - (at.y() - visible.top()) * factor;
    SetMapExtent(QRectF(left, bottom, visible.width() * factor, visible.height() * factor));
}

void MapCanvas::PanBy(QPointF pixels) {
    const ViewTransform transform = Transform();
    if (!transform.IsValid()) return;
    const QRectF visible = VisibleMapRect();
    SetMapExtent(visible.translated(-pixels.x() / transform.Scale(), pixels.y() / transform.Scale()));
}

void MapCanvas::SelectIn(const QRect& pixels, bool add) {
    const ViewTransform transform = Transform();
    if (!transform.IsValid() || !document_) return;
    QRect area = pixels.normalized();
    if (area.width() < kDragThreshold && area.height() < kDragThreshold)
        area = QRect(area.center() - QPoint(kClickTolerance, kClickTolerance),
                     QSize(2 * kClickTolerance + 1, 2 * kClickTolerance + 1));
    const QRectF box = transform.ToMap(QRectF(area));
    host::Ref<host::MxDocument> document = document_;
    RunUserAction([&] {
        host::Ref<host::Map> map = document->FocusMap();
        auto filter = host::New<host::SpatialFilter>();
        filter->SetGeometry(host::New<host::Envelope>(box.left(), box.top(), box.right(), box.bottom()));
        filter->SetSpatialRel(host::SpatialRelation::Intersects);
        if (!add) map->ClearSelection();
        for (host::FeatureLayer* layer : VisibleFeatureLayers(*map)) {
            filter->SetGeometryField(layer->FeatureClass()->ShapeFieldName());
            layer->SelectFeatures(filter, host::SelectionResult::Add, false);
        }
        document->ActiveView()->PartialRefresh(host::ViewPhase::GeoSelection);
    });
}

void MapCanvas::ScheduleUpdate() {
    // Not update() at once: a synchronous repaint elsewhere in the window (the status bar's
    // progress) would paint the canvas in the middle of the handler that changed the view.
    if (updateScheduled_) return;
    updateScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        updateScheduled_ = false;
        update();
    });
}

bool MapCanvas::IsDrawing() const { return layers_.IsDrawing() || selection_.IsDrawing() || graphics_.IsDrawing(); }

void MapCanvas::Redraw() {
    layers_.Forget();
    selection_.Forget();
    graphics_.Forget();
    ScheduleUpdate();
}

void MapCanvas::WantScenes(const ViewTransform& transform) {
    // A view the host cannot draw shows what was drawn before the failure.
    host::ResumeNext([&] { layers_.Want(renderer_.Scene(*view_, transform, size())); });
    host::ResumeNext([&] { selection_.Want(renderer_.SelectionScene(*view_, transform, size())); });
    host::ResumeNext([&] { graphics_.Want(renderer_.Graphics(*view_, transform, size())); });
}

void MapCanvas::paintEvent(QPaintEvent*) {
    FollowActiveView();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!view_) return;
    const ViewTransform transform = Transform();
    WantScenes(transform);
    painter.translate(panOffset_);
    layers_.Paint(painter, transform, size());
    selection_.Paint(painter, transform, size());
    graphics_.Paint(painter, transform, size());
}

void MapCanvas::resizeEvent(QResizeEvent*) { ScheduleUpdate(); }

void MapCanvas::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && tool_ == Tool::Pan)) {
        drag_ = Drag::Pan;
        dragStart_ = at;
        setCursor(Qt::ClosedHandCursor);
    } else if (event->button() == Qt::LeftButton && tool_ == Tool::SelectFeatures) {
        drag_ = Drag::Select;
        dragStart_ = at;
        if (band_ == nullptr) band_ = new QRubberBand(QRubberBand::Rectangle, this);
        band_->setGeometry(QRect(at, QSize()));
        band_->show();
    }
    event->accept();
}

void MapCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (drag_ == Drag::Pan) {
        panOffset_ = at - dragStart_;
        update();
    } else if (drag_ == Drag::Select && band_ != nullptr) {
        band_->setGeometry(QRect(dragStart_, at).normalized());
    }
    event->accept();
}

void MapCanvas::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const Drag drag = std::exchange(drag_, Drag::None);
    if (drag == Drag::Pan) {
        const QPoint offset = at - dragStart_;
        panOffset_ = QPoint();
        SetTool(tool_);
        if (!offset.isNull()) PanBy(offset);
        update();
    } else if (drag == Drag::Select) {
        if (band_ != nullptr) band_->hide();
        SelectIn(QRect(dragStart_, at), (event->modifiers() & Qt::ShiftModifier) != 0);
    }
    event->accept();
}

void MapCanvas::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) ZoomBy(std::pow(1.25, -steps), event->position());
    event->accept();
}

}  // namespace desktop
