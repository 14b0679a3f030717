#include "app/desktop/MapRenderer.h"

#include <QPainter>
#include <QPolygonF>
#include <QtNumeric>

#include <algorithm>
#include <cmath>

#include "app/desktop/WidgetLook.h"
#include "host/carto/ActiveView.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/GroupLayer.h"
#include "host/carto/LineElement.h"
#include "host/carto/Map.h"
#include "host/carto/MarkerElement.h"
#include "host/carto/PolygonElement.h"
#include "host/core/ErrorTrap.h"
#include "host/data/FeatureClass.h"
#include "host/data/SelectionSet.h"
#include "host/geometry/Envelope.h"
#include "host/geometry/GeometryBag.h"
#include "host/geometry/Multipoint.h"
#include "host/geometry/Point.h"
#include "host/geometry/Polygon.h"
#include "host/geometry/Polyline.h"

namespace desktop {

// ---- ViewTransform ----

ViewTransform::ViewTransform(const QRectF& extent, const QSizeF& pixels) {
    if (extent.isNull() || pixels.isEmpty() || extent.width() <= 0 || extent.height() <= 0) return;
    scale_ = std::min(pixels.width() / extent.width(), pixels.height() / extent.height());
    if (!std::isfinite(scale_) || scale_ <= 0) {
        scale_ = 0;
        return;
    }
    const QPointF centre = extent.center();
    originX_ = centre.x() - pixels.width() / 2 / scale_;
    originY_ = centre.y() + pixels.height() / 2 / scale_;
}

QPointF ViewTransform::ToPixels(QPointF map) const {
    return {(map.x() - originX_) * scale_, (originY_ - map.y()) * scale_};
}

QPointF ViewTransform::ToMap(QPointF pixel) const {
    return {originX_ + pixel.x() / scale_, originY_ - pixel.y() / scale_};
}

QTransform ViewTransform::Matrix() const {
    return QTransform(scale_, 0, 0, -scale_, -originX_ * scale_, originY_ * scale_);
}

QRectF ViewTransform::ToMap(const QRectF& pixels) const {
    return QRectF(ToMap(pixels.topLeft()), ToMap(pixels.bottomRight())).normalized();
}

QRectF ViewExtent(host::ActiveView& view) {
    host::Ref<host::Envelope> extent = view.Extent();
    if (extent->IsEmpty()) {
        if (auto* map = dynamic_cast<host::Map*>(&view)) extent = map->FullExtent();
    }
    if (extent->IsEmpty()) return {};
    double width = extent->Width();
    double height = extent->Height();
    if (width <= 0 && height <= 0) width = height = 1;
    if (width <= 0) width = height;
    if (height <= 0) height = width;
    const double cx = (extent->XMin() + extent->XMax()) / 2;
    const double cy = (extent->YMin() + extent->YMax()) / 2;
    return {cx - width / 2, cy - height / 2, width, height};
}

// ---- Shapes ----

namespace {

QPolygonF Ring(const std::vector<host::Coordinate>& coordinates) {
    QPolygonF ring;
    ring.reserve(static_cast<qsizetype>(coordinates.size()));
    for (const host::Coordinate& c : coordinates) ring.append(QPointF(c.x, c.y));
    return ring;
}

// Adds a geometry to a path (rings closed, even-odd fill) or to points.
void AddGeometry(const host::Ref<host::Geometry>& geometry, QPainterPath& path, std::vector<QPointF>& points) {
    if (!geometry || geometry->IsEmpty()) return;
    switch (geometry->GeometryType()) {
        case host::GeometryTypeCode::Polygon:
            for (const auto& ring : host::As<host::Polygon>(geometry)->Rings()) path.addPolygon(Ring(ring));
            break;
        case host::GeometryTypeCode::Polyline:
            for (const auto& line : host::As<host::Polyline>(geometry)->Paths()) {
                const QPolygonF polyline = Ring(line);
                path.moveTo(polyline.front());
                for (qsizetype i = 1; i < polyline.size(); ++i) path.lineTo(polyline[i]);
            }
            break;
        case host::GeometryTypeCode::Point: {
            const auto point = host::As<host::Point>(geometry);
            points.emplace_back(point->X(), point->Y());
            break;
        }
        case host::GeometryTypeCode::Multipoint: {
            const auto multipoint = host::As<host::Multipoint>(geometry);
            for (long i = 0; i < multipoint->PointCount(); ++i)
                points.emplace_back(multipoint->Point(i)->X(), multipoint->Point(i)->Y());
            break;
        }
        case host::GeometryTypeCode::Envelope: {
            const auto envelope = host::As<host::Envelope>(geometry);
            path.addRect(QRectF(QPointF(envelope->XMin(), envelope->YMin()), QPointF(envelope->XMax(), envelope->YMax())));
            break;
        }
        case host::GeometryTypeCode::Bag: {
            const auto bag = host::As<host::GeometryBag>(geometry);
            for (long i = 0; i < bag->GeometryCount(); ++i) AddGeometry(bag->Geometry(i), path, points);
            break;
        }
        default: break;
    }
}

// The rectangle around the path and the points; QRectF's own union drops rectangles without
// area, so a point's bounds are made here.
QRectF BoundsOf(const QPainterPath& path, const std::vector<QPointF>& points) {
    double left = qInf(), top = qInf(), right = -qInf(), bottom = -qInf();
    auto take = [&](double x1, double y1, double x2, double y2) {
        left = std::min(left, x1);
        top = std::min(top, y1);
        right = std::max(right, x2);
        bottom = std::max(bottom, y2);
    };
    if (!path.isEmpty()) {
        const QRectF r = path.boundingRect();
        take(r.left(), r.top(), r.right(), r.bottom());
    }
    for (const QPointF& p : points) take(p.x(), p.y(), p.x(), p.y());
    return left <= right ? QRectF(QPointF(left, top), QPointF(right, bottom)) : QRectF();
}

// The visible feature layers (shown themselves and in shown groups), bottom first: the map
// lists its layers top first.
void CollectVisible(const host::Ref<host::Layer>& layer, std::vector<host::FeatureLayer*>& out) {
    if (!layer || !layer->Visible()) return;
    if (auto* group = dynamic_cast<host::GroupLayer*>(layer.raw())) {
        for (long i = group->Count() - 1; i >= 0; --i) CollectVisible(group->Layer(i), out);
    } else if (auto* features = dynamic_cast<host::FeatureLayer*>(layer.raw())) {
        if (features->FeatureClass()) out.push_back(features);
    }
}

bool Intersects(const QRectF& bounds, const QRectF& visible) {
    return bounds.right() >= visible.left() && bounds.left() <= visible.right() && bounds.bottom() >= visible.top() &&
           bounds.top() <= visible.bottom();
}

Qt::PenStyle PenStyleOf(host::LineStyle style) {
    switch (style) {
        case host::LineStyle::Dash: return Qt::DashLine;
        case host::LineStyle::Dot: return Qt::DotLine;
        case host::LineStyle::DashDot: return Qt::DashDotLine;
        case host::LineStyle::DashDotDot: return Qt::DashDotDotLine;
        case host::LineStyle::Null: return Qt::NoPen;
        default: return Qt::SolidLine;
    }
}

QColor ColorOf(const host::Ref<host::RgbColor>& color) { return {color->Red(), color->Green(), color->Blue()}; }

QPen PenOf(const host::SimpleLineSymbol& symbol) {
    QPen pen(ColorOf(symbol.Color()), PointsToPixels(symbol.Width()), PenStyleOf(symbol.Style()), Qt::RoundCap,
             Qt::RoundJoin);
    return pen;
}

QBrush BrushOf(const host::SimpleFillSymbol& symbol) {
    const QColor color = ColorOf(symbol.Color());
    switch (symbol.Style()) {
        case host::FillStyle::Hollow: return Qt::NoBrush;
        case host::FillStyle::Horizontal: return {color, Qt::HorPattern};
        case host::FillStyle::Vertical: return {color, Qt::VerPattern};
        case host::FillStyle::ForwardDiagonal: return {color, Qt::FDiagPattern};
        case host::FillStyle::BackwardDiagonal: return {color, Qt::BDiagPattern};
        case host::FillStyle::Cross: return {color, Qt::CrossPattern};
        case host::FillStyle::DiagonalCross: return {color, Qt::DiagCrossPattern};
        default: return color;
    }
}

void DrawMarker(QPainter& painter, QPointF at, const host::SimpleMarkerSymbol& symbol) {
    const QColor color = ColorOf(symbol.Color());
    const double r = PointsToPixels(symbol.Size()) / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    switch (symbol.Style()) {
        case host::MarkerStyle::Square: painter.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r)); break;
        case host::MarkerStyle::Diamond:
            painter.drawPolygon(QPolygonF({{at.x(), at.y() - r}, {at.x() + r, at.y()}, {at.x(), at.y() + r}, {at.x() - r, at.y()}}));
            break;
        case host::MarkerStyle::Cross:
        case host::MarkerStyle::X: {
            painter.setPen(QPen(color, std::max(1.0, r / 4), Qt::SolidLine, Qt::FlatCap));
            painter.setBrush(Qt::NoBrush);
            if (symbol.Style() == host::MarkerStyle::Cross) {
                painter.drawLine(QPointF(at.x() - r, at.y()), QPointF(at.x() + r, at.y()));
                painter.drawLine(QPointF(at.x(), at.y() - r), QPointF(at.x(), at.y() + r));
            } else {
                const double d = r * std::sqrt(0.5);
                painter.drawLine(QPointF(at.x() - d, at.y() - d), QPointF(at.x() + d, at.y() + d));
                painter.drawLine(QPointF(at.x() - d, at.y() + d), QPointF(at.x() + d, at.y() - d));
            }
            break;
        }
        default: painter.drawEllipse(at, r, r); break;
    }
}

}  // namespace

std::vector<host::FeatureLayer*> VisibleFeatureLayers(const host::Map& map) {
    std::vector<host::FeatureLayer*> layers;
    for (long i = map.LayerCount() - 1; i >= 0; --i) CollectVisible(map.Layer(i), layers);
    return layers;
}

const MapRenderer::ClassShapes& MapRenderer::ShapesOf(const host::FeatureClass& featureClass) {
    ClassShapes& entry = cache_[&featureClass];
    const std::shared_ptr<const host::Table> alive = entry.table.lock();
    if (alive.get() == &featureClass && entry.size == featureClass.Size()) return entry;
    entry = ClassShapes{};
    entry.table = featureClass.weak_from_this();
    entry.size = featureClass.Size();
    entry.shapes.resize(entry.size);
    for (std::size_t i = 0; i < entry.size; ++i) {
        FeatureShape& shape = entry.shapes[i];
        shape.path.setFillRule(Qt::OddEvenFill);
        host::ResumeNext([&] {
            const host::Ref<host::Geometry> geometry = featureClass.ShapeAt(i);
            shape.type = geometry ? geometry->GeometryType() : 0;
            AddGeometry(geometry, shape.path, shape.points);
        });
        shape.bounds = BoundsOf(shape.path, shape.points);
        shape.empty = shape.path.isEmpty() && shape.points.empty();
    }
    // Forget classes that are gone.
    std::erase_if(cache_, [](const auto& item) { return item.second.table.expired(); });
    return cache_[&featureClass];
}

void MapRenderer::Render(QPainter& painter, host::ActiveView& view, const ViewTransform& transform, const QRect& area) {
    if (!transform.IsValid()) return;
    painter.save();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF visible = transform.ToMap(QRectF(area));
    const double pixel = 1 / transform.Scale();

    std::vector<host::FeatureLayer*> layers;
    if (auto* map = dynamic_cast<host::Map*>(&view)) layers = VisibleFeatureLayers(*map);

    // Geography: each layer with the plain symbol of its shapes.
    const double markerRadius = 3.5;
    for (host::FeatureLayer* layer : layers) {
        const ClassShapes& shapes = ShapesOf(*layer->FeatureClass());
        for (const FeatureShape& shape : shapes.shapes) {
            if (shape.empty || !Intersects(shape.bounds.adjusted(-pixel, -pixel, pixel, pixel), visible)) continue;
            if (!shape.path.isEmpty()) {
                painter.setTransform(transform.Matrix());
                QPen pen(shape.type == host::GeometryTypeCode::Polyline ? LineColor() : PolygonOutline(),
                         shape.type == host::GeometryTypeCode::Polyline ? 1.5 : 1.0);
                pen.setCosmetic(true);
                painter.setPen(pen);
                painter.setBrush(shape.type == host::GeometryTypeCode::Polyline ? QBrush(Qt::NoBrush) : QBrush(PolygonFill()));
                painter.drawPath(shape.path);
            }
            if (!shape.points.empty()) {
                painter.resetTransform();
                painter.setPen(QPen(PointColor().darker(150), 1));
                painter.setBrush(PointColor());
                for (const QPointF& p : shape.points) painter.drawEllipse(transform.ToPixels(p), markerRadius, markerRadius);
            }
        }
    }

    // The selected features of those layers.
    for (host::FeatureLayer* layer : layers) {
        const host::FeatureClass& featureClass = *layer->FeatureClass();
        const ClassShapes& shapes = ShapesOf(featureClass);
        for (std::int64_t oid : layer->SelectionSet()->IDs()) {
            const std::optional<std::size_t> position = featureClass.PositionOf(oid);
            if (!position || *position >= shapes.shapes.size()) continue;
            const FeatureShape& shape = shapes.shapes[*position];
            if (shape.empty || !Intersects(shape.bounds.adjusted(-pixel, -pixel, pixel, pixel), visible)) continue;
            if (!shape.path.isEmpty()) {
                painter.setTransform(transform.Matrix());
                QPen pen(SelectionColor(), 2.0);
                pen.setCosmetic(true);
                painter.setPen(pen);
                painter.setBrush(Qt::NoBrush);
                painter.drawPath(shape.path);
            }
            painter.resetTransform();
            painter.setPen(QPen(SelectionColor(), 2));
            painter.setBrush(Qt::NoBrush);
            for (const QPointF& p : shape.points) painter.drawEllipse(transform.ToPixels(p), markerRadius + 1.5, markerRadius + 1.5);
        }
    }

    // Graphics: the elements in the order they were added.
    painter.resetTransform();
    for (const host::Ref<host::Element>& element : view.Elements()) {
        host::ResumeNext([&] { DrawElement(painter, *element, transform); });
    }
    painter.restore();
}

void MapRenderer::DrawElement(QPainter& painter, const host::Element& element, const ViewTransform& transform) {
    const host::Ref<host::Geometry> geometry = element.Geometry();
    if (!geometry || geometry->IsEmpty()) return;
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    std::vector<QPointF> points;
    AddGeometry(geometry, path, points);
    // Drawn in pixels, so that hatch patterns and widths keep their screen size.
    const QPainterPath onScreen = transform.Matrix().map(path);
    if (const auto* polygon = dynamic_cast<const host::PolygonElement*>(&element)) {
        const host::Ref<host::SimpleFillSymbol> symbol = polygon->Symbol();
        const host::Ref<host::SimpleLineSymbol> outline = symbol->Outline();
        painter.setBrush(BrushOf(*symbol));
        painter.setPen(outline ? PenOf(*outline) : QPen(Qt::NoPen));
        painter.drawPath(onScreen);
    } else if (const auto* line = dynamic_cast<const host::LineElement*>(&element)) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(PenOf(*line->Symbol()));
        painter.drawPath(onScreen);
    } else if (const auto* marker = dynamic_cast<const host::MarkerElement*>(&element)) {
        const host::Ref<host::SimpleMarkerSymbol> symbol = marker->Symbol();
        for (const QPointF& p : points) DrawMarker(painter, transform.ToPixels(p), *symbol);
    }
}

QImage MapRenderer::RenderImage(host::ActiveView& view, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    Render(painter, view, ViewTransform(ViewExtent(view), QSizeF(size)), QRect(QPoint(0, 0), size));
    painter.end();
    return image;
}

}  // namespace desktop
