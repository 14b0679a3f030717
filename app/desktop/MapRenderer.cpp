#include "app/desktop/MapRenderer.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QThread>
#include <QtNumeric>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <thread>

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

// A ring of a polygon or a path of a line, in map units.
struct ShapePart {
    QPolygonF vertices;
    bool ring = false;
};

struct FeatureShape {
    long type = 0;  // the geometry type code
    std::vector<ShapePart> parts;
    std::vector<QPointF> points;
    QRectF bounds;
    bool empty = true;  // no geometry: nothing to draw
};

struct ClassShapes {
    std::vector<FeatureShape> shapes;
};

namespace {

QPolygonF Vertices(const std::vector<host::Coordinate>& coordinates) {
    QPolygonF vertices;
    vertices.reserve(static_cast<qsizetype>(coordinates.size()));
    for (const host::Coordinate& c : coordinates) vertices.append(QPointF(c.x, c.y));
    return vertices;
}

// Adds a geometry's rings and paths to parts, its points to points.
void AddGeometry(const host::Ref<host::Geometry>& geometry, std::vector<ShapePart>& parts,
                 std::vector<QPointF>& points) {
    if (!geometry || geometry->IsEmpty()) return;
    switch (geometry->GeometryType()) {
    case host::GeometryTypeCode::Polygon:
        for (const auto& ring : host::As<host::Polygon>(geometry)->Rings()) parts.push_back({Vertices(ring), true});
        break;
    case host::GeometryTypeCode::Polyline:
        for (const auto& line : host::As<host::Polyline>(geometry)->Paths())
            if (!line.empty()) parts.push_back({Vertices(line), false});
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
        const QRectF box(QPointF(envelope->XMin(), envelope->YMin()), QPointF(envelope->XMax(), envelope->YMax()));
        parts.push_back({QPolygonF(box), true});
        break;
    }
    case host::GeometryTypeCode::Bag: {
        const auto bag = host::As<host::GeometryBag>(geometry);
        for (long i = 0; i < bag->GeometryCount(); ++i) AddGeometry(bag->Geometry(i), parts, points);
        break;
    }
    default: break;
    }
}

// The rectangle around the parts and the points; QRectF's own union drops rectangles
// without area, so it is made here.
QRectF BoundsOf(const std::vector<ShapePart>& parts, const std::vector<QPointF>& points) {
    double left = qInf(), top = qInf(), right = -qInf(), bottom = -qInf();
    auto take = [&](QPointF p) {
        left = std::min(left, p.x());
        top = std::min(top, p.y());
        right = std::max(right, p.x());
        bottom = std::max(bottom, p.y());
    };
    for (const ShapePart& part : parts)
        for (const QPointF& p : part.vertices) take(p);
    for (const QPointF& p : points) take(p);
    return left <= right ? QRectF(QPointF(left, top), QPointF(right, bottom)) : QRectF();
}

// Vertices closer than this many pixels to the last one drawn are left out.
constexpr double kMergeDistance = 0.75;
// A scene with this many shapes in view or more is drawn in parts on several threads, at
// most kMaxParts.
constexpr std::size_t kShapesPerPart = 2500;
constexpr int kMaxParts = 4;
// The point symbol's radius in pixels.
constexpr double kMarkerRadius = 3.5;

// A part in pixels, without the vertices that lie within kMergeDistance of the last one kept
// (a path keeps its last vertex).
void ToPixels(const QPolygonF& part, const ViewTransform& transform, QPolygonF& out) {
    out.resize(0);
    const qsizetype n = part.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF p = transform.ToPixels(part[i]);
        if (!out.isEmpty() && i + 1 < n && std::abs(p.x() - out.last().x()) < kMergeDistance &&
            std::abs(p.y() - out.last().y()) < kMergeDistance)
            continue;
        out.append(p);
    }
}

// Draws the rings and paths of a shape with the painter's pen and brush (paths unfilled).
void DrawParts(QPainter& painter, const FeatureShape& shape, const ViewTransform& transform, QPolygonF& scratch) {
    QPainterPath rings;
    for (const ShapePart& part : shape.parts) {
        ToPixels(part.vertices, transform, scratch);
        if (!part.ring) {
            painter.drawPolyline(scratch);
        } else if (shape.parts.size() == 1 || painter.brush().style() == Qt::NoBrush) {
            painter.drawPolygon(scratch, Qt::OddEvenFill);
        } else {
            rings.addPolygon(scratch);
            rings.closeSubpath();
        }
    }
    if (rings.isEmpty()) return;
    // Rings with holes or islands (a road parcel around whole blocks): Qt fills such a path
    // many times faster without antialiasing, and the antialiased outline drawn over it
    // covers the edges.
    rings.setFillRule(Qt::OddEvenFill);
    const bool antialiased = painter.testRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillPath(rings, painter.brush());
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
    painter.strokePath(rings, painter.pen());
}

// Turns parts into a path in map units: rings closed, paths open.
QPainterPath PathOf(const std::vector<ShapePart>& parts) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const ShapePart& part : parts) {
        if (part.vertices.isEmpty()) continue;
        if (part.ring) {
            path.addPolygon(part.vertices);
        } else {
            path.moveTo(part.vertices.front());
            for (qsizetype i = 1; i < part.vertices.size(); ++i) path.lineTo(part.vertices[i]);
        }
    }
    return path;
}

// The point symbol, drawn once per picture and then copied.
QImage Marker() {
    const int side = static_cast<int>(std::ceil(2 * (kMarkerRadius + 1)));
    QImage marker(side, side, QImage::Format_ARGB32_Premultiplied);
    marker.fill(Qt::transparent);
    QPainter painter(&marker);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(MapRenderer::PointColor().darker(150), 1));
    painter.setBrush(MapRenderer::PointColor());
    painter.drawEllipse(QPointF(side / 2.0, side / 2.0), kMarkerRadius, kMarkerRadius);
    return marker;
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
        painter.drawPolygon(
            QPolygonF({{at.x(), at.y() - r}, {at.x() + r, at.y()}, {at.x(), at.y() + r}, {at.x() - r, at.y()}}));
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

std::shared_ptr<const ClassShapes> MapRenderer::ShapesOf(const host::FeatureClass& featureClass) {
    CacheEntry& entry = cache_[&featureClass];
    const std::shared_ptr<const host::Table> alive = entry.table.lock();
    if (alive.get() == &featureClass && entry.size == featureClass.Size() && entry.shapes) return entry.shapes;
    auto made = std::make_shared<ClassShapes>();
    made->shapes.resize(featureClass.Size());
    for (std::size_t i = 0; i < made->shapes.size(); ++i) {
        FeatureShape& shape = made->shapes[i];
        host::ResumeNext([&] {
            const host::Ref<host::Geometry> geometry = featureClass.ShapeAt(i);
            shape.type = geometry ? geometry->GeometryType() : 0;
            AddGeometry(geometry, shape.parts, shape.points);
        });
        shape.bounds = BoundsOf(shape.parts, shape.points);
        shape.empty = shape.parts.empty() && shape.points.empty();
    }
    entry = CacheEntry{featureClass.weak_from_this(), made->shapes.size(), made};
    // Forget classes that are gone.
    std::erase_if(cache_, [](const auto& item) { return item.second.table.expired(); });
    return made;
}

LayerScene MapRenderer::Scene(host::ActiveView& view, const ViewTransform& transform, QSize size) {
    LayerScene scene;
    scene.transform = transform;
    scene.size = size;
    auto* map = dynamic_cast<host::Map*>(&view);
    if (scene.IsEmpty() || map == nullptr) return scene;
    for (host::FeatureLayer* layer : VisibleFeatureLayers(*map))
        scene.layers.push_back(ShapesOf(*layer->FeatureClass()));
    const QRectF visible = transform.ToMap(QRectF(QPointF(0, 0), QSizeF(size)));
    const double pixel = 1 / transform.Scale();
    for (const auto& layer : scene.layers)
        scene.shapesInView += static_cast<std::size_t>(
            std::count_if(layer->shapes.begin(), layer->shapes.end(), [&](const FeatureShape& shape) {
                return !shape.empty && Intersects(shape.bounds.adjusted(-pixel, -pixel, pixel, pixel), visible);
            }));
    return scene;
}

void MapRenderer::DrawLayers(QPainter& painter, const LayerScene& scene) {
    DrawLayers(painter, scene, 0, std::numeric_limits<std::size_t>::max());
}

void MapRenderer::DrawLayers(QPainter& painter, const LayerScene& scene, std::size_t first, std::size_t last) {
    if (scene.IsEmpty()) return;
    const ViewTransform& transform = scene.transform;
    const QRectF visible = transform.ToMap(QRectF(QPointF(0, 0), QSizeF(scene.size)));
    const double pixel = 1 / transform.Scale();
    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPen outline(PolygonOutline(), 1.0);
    const QPen line(LineColor(), 1.5);
    const QBrush fill(PolygonFill());
    const QImage marker = Marker();
    const QPointF markerOffset(marker.width() / 2.0, marker.height() / 2.0);
    QPolygonF scratch;
    // Shapes smaller than a pixel: one dot each, drawn together after their layer.
    std::vector<QPointF> dots;
    std::size_t next = 0;  // the ordinal of the next shape over all the layers
    for (const auto& layer : scene.layers) {
        bool lines = false;
        dots.clear();
        painter.setPen(outline);
        painter.setBrush(fill);
        for (const FeatureShape& shape : layer->shapes) {
            const std::size_t ordinal = next++;
            if (ordinal < first || ordinal >= last) continue;
            if (shape.empty || !Intersects(shape.bounds.adjusted(-pixel, -pixel, pixel, pixel), visible)) continue;
            if (!shape.parts.empty()) {
                const bool isLine = shape.type == host::GeometryTypeCode::Polyline;
                if (shape.bounds.width() < pixel && shape.bounds.height() < pixel) {
                    dots.push_back(transform.ToPixels(shape.bounds.center()));
                } else {
                    if (isLine != lines) {
                        lines = isLine;
                        painter.setPen(lines ? line : outline);
                        painter.setBrush(lines ? QBrush(Qt::NoBrush) : fill);
                    }
                    DrawParts(painter, shape, transform, scratch);
                }
            }
            for (const QPointF& p : shape.points) painter.drawImage(transform.ToPixels(p) - markerOffset, marker);
        }
        if (!dots.empty()) {
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(QPen(lines ? LineColor() : PolygonOutline(), 1));
            painter.drawPoints(dots.data(), static_cast<int>(dots.size()));
            painter.setRenderHint(QPainter::Antialiasing, true);
        }
    }
    painter.restore();
}

QImage MapRenderer::LayersImage(const LayerScene& scene) {
    QImage image(scene.size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    const int parts = scene.shapesInView < kShapesPerPart
                          ? 1
                          : std::clamp(static_cast<int>(scene.shapesInView / kShapesPerPart), 1,
                                       std::clamp(QThread::idealThreadCount() / 2, 1, kMaxParts));
    if (parts == 1) {
        QPainter painter(&image);
        DrawLayers(painter, scene);
        return image;
    }
    // The shapes in drawing order, cut into runs of about equal work (vertices); each run is
    // drawn on its own thread into a clear picture, and the pictures are laid over each
    // other in order, as if drawn one after the other.
    const QRectF visible = scene.transform.ToMap(QRectF(QPointF(0, 0), QSizeF(scene.size)));
    const double pixel = 1 / scene.transform.Scale();
    std::vector<std::size_t> work;  // per shape ordinal
    for (const auto& layer : scene.layers)
        for (const FeatureShape& shape : layer->shapes) {
            std::size_t cost = 0;
            if (!shape.empty && Intersects(shape.bounds.adjusted(-pixel, -pixel, pixel, pixel), visible)) {
                cost = 8 + shape.points.size() * 8;
                for (const ShapePart& part : shape.parts) cost += static_cast<std::size_t>(part.vertices.size());
            }
            work.push_back(cost);
        }
    const std::size_t total = std::accumulate(work.begin(), work.end(), std::size_t{0});
    std::vector<std::size_t> cuts{0};
    std::size_t done = 0;
    for (std::size_t i = 0; i < work.size() && static_cast<int>(cuts.size()) < parts; ++i) {
        done += work[i];
        if (done * static_cast<std::size_t>(parts) >= total * cuts.size()) cuts.push_back(i + 1);
    }
    cuts.push_back(work.size());
    std::vector<QImage> pictures(cuts.size() - 1);
    auto drawPart = [&](std::size_t part) {
        QImage picture(scene.size, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        DrawLayers(painter, scene, cuts[part], cuts[part + 1]);
        painter.end();
        pictures[part] = std::move(picture);
    };
    std::vector<std::thread> helpers;
    for (std::size_t part = 1; part < pictures.size(); ++part) helpers.emplace_back(drawPart, part);
    drawPart(0);
    for (std::thread& helper : helpers) helper.join();
    QPainter painter(&image);
    for (const QImage& picture : pictures) painter.drawImage(0, 0, picture);
    return image;
}

void MapRenderer::DrawOverlay(QPainter& painter, host::ActiveView& view, const ViewTransform& transform,
                              const QRect& area) {
    if (!transform.IsValid()) return;
    painter.save();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF visible = transform.ToMap(QRectF(area));
    const double pixel = 1 / transform.Scale();

    // The selected features of the visible layers.
    if (auto* map = dynamic_cast<host::Map*>(&view)) {
        QPolygonF scratch;
        for (host::FeatureLayer* layer : VisibleFeatureLayers(*map)) {
            const host::FeatureClass& featureClass = *layer->FeatureClass();
            const std::shared_ptr<const ClassShapes> shapes = ShapesOf(featureClass);
            for (std::int64_t oid : layer->SelectionSet()->IDs()) {
                const std::optional<std::size_t> position = featureClass.PositionOf(oid);
                if (!position || *position >= shapes->shapes.size()) continue;
                const FeatureShape& shape = shapes->shapes[*position];
                if (shape.empty || !Intersects(shape.bounds.adjusted(-pixel, -pixel, pixel, pixel), visible)) continue;
                painter.setPen(QPen(SelectionColor(), 2));
                painter.setBrush(Qt::NoBrush);
                DrawParts(painter, shape, transform, scratch);
                for (const QPointF& p : shape.points)
                    painter.drawEllipse(transform.ToPixels(p), kMarkerRadius + 1.5, kMarkerRadius + 1.5);
            }
        }
    }

    // Graphics: the elements in the order they were added.
    for (const host::Ref<host::Element>& element : view.Elements()) {
        host::ResumeNext([&] { DrawElement(painter, *element, transform); });
    }
    painter.restore();
}

void MapRenderer::Render(QPainter& painter, host::ActiveView& view, const ViewTransform& transform, const QRect& area) {
    if (!transform.IsValid()) return;
    painter.save();
    painter.setClipRect(area);
    DrawLayers(painter, Scene(view, transform, QSize(area.right() + 1, area.bottom() + 1)));
    painter.restore();
    DrawOverlay(painter, view, transform, area);
}

void MapRenderer::DrawElement(QPainter& painter, const host::Element& element, const ViewTransform& transform) {
    const host::Ref<host::Geometry> geometry = element.Geometry();
    if (!geometry || geometry->IsEmpty()) return;
    std::vector<ShapePart> parts;
    std::vector<QPointF> points;
    AddGeometry(geometry, parts, points);
    const QPainterPath path = PathOf(parts);
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
