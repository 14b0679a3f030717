#include "app/desktop/MapRenderer.h"

#include <QFuture>
#include <QPainter>
#include <QPainterPath>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "app/desktop/MapShapes.h"
#include "host/carto/ActiveView.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/GroupLayer.h"
#include "host/carto/Map.h"
#include "host/core/ErrorTrap.h"
#include "host/data/FeatureClass.h"
#include "host/data/SelectionSet.h"
#include "host/geometry/Envelope.h"

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

// ---- Layers and selection ----

namespace {

// The point symbol's radius in pixels.
constexpr double kMarkerRadius = 3.5;
// How far beyond its outline a shape draws at most, in pixels: a shape with points the
// highlight's ring around a point symbol, any other half the widest pen and the antialiasing.
constexpr double kPointReach = kMarkerRadius + 4;
constexpr double kReach = 2;
// A highlighted ring larger than the area drawn is cut (in map units) this many pixels
// outside it: more than the highlight's pen and the antialiasing reach.
constexpr double kCutMargin = 4;

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

std::vector<host::FeatureLayer*> ShownLayers(host::ActiveView& view) {
    auto* map = dynamic_cast<host::Map*>(&view);
    return map != nullptr ? VisibleFeatureLayers(*map) : std::vector<host::FeatureLayer*>();
}

// Calls draw for each shape of the scene's layer that the scene draws, in order.
template <class Draw> void ForEachShape(const LayerScene& scene, std::size_t layer, Draw&& draw) {
    const std::vector<FeatureShape>& shapes = scene.layers[layer]->shapes;
    if (scene.highlight) {
        for (std::size_t position : scene.selected[layer]) draw(shapes[position]);
    } else {
        for (const FeatureShape& shape : shapes) draw(shape);
    }
}

// Draws the shapes of a LayerScene, layer by layer, with the plain symbols or the
// highlight: shapes that do not reach the area skipped, shapes smaller than a pixel gathered as
// dots and drawn together after their layer.
class ShapePainter {
public:
    // Draws into the area of the picture (pixels).
    ShapePainter(QPainter& painter, const LayerScene& scene, const QRect& area);
    ~ShapePainter() { painter_.restore(); }
    ShapePainter(const ShapePainter&) = delete;
    ShapePainter& operator=(const ShapePainter&) = delete;

    void Draw(const FeatureShape& shape);
    // Draws the layer's dots; the next shape starts the next layer.
    void EndLayer();

private:
    void UseLines(bool lines);
    void UsePen(bool pen);
    void Outline(const FeatureShape& shape);

    QPainter& painter_;
    const ViewTransform& transform_;
    const QRectF visible_;  // the area in map units
    const QRectF cutMap_;   // the area widened by kCutMargin, in map units
    const double pixel_;
    const double reach_;
    const double pointReach_;
    const bool highlight_;
    const QPen outline_;
    const QPen line_;
    const QBrush fill_;
    const QImage marker_;
    QPolygonF scratch_;
    QPolygonF clipped_;
    std::vector<QPointF> dots_;
    bool lines_ = false;
    bool pen_ = true;  // the highlight's pen is set (else no pen and its colour as brush)
};

ShapePainter::ShapePainter(QPainter& painter, const LayerScene& scene, const QRect& area)
    : painter_(painter),
      transform_(scene.transform),
      visible_(scene.transform.ToMap(QRectF(area))),
      cutMap_(scene.transform.ToMap(QRectF(area).adjusted(-kCutMargin, -kCutMargin, kCutMargin, kCutMargin))),
      pixel_(1 / scene.transform.Scale()),
      reach_(kReach * pixel_),
      pointReach_(kPointReach * pixel_),
      highlight_(scene.highlight),
      outline_(highlight_ ? QPen(MapRenderer::SelectionColor(), 2) : QPen(MapRenderer::PolygonOutline(), 1.0)),
      line_(highlight_ ? outline_ : QPen(MapRenderer::LineColor(), 1.5)),
      fill_(highlight_ ? QBrush(Qt::NoBrush) : QBrush(MapRenderer::PolygonFill())),
      marker_(highlight_ ? QImage() : Marker()) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setPen(outline_);
    painter_.setBrush(fill_);
}

void ShapePainter::UseLines(bool lines) {
    if (lines == lines_) return;
    lines_ = lines;
    painter_.setPen(lines_ ? line_ : outline_);
    painter_.setBrush(lines_ ? QBrush(Qt::NoBrush) : fill_);
}

void ShapePainter::Draw(const FeatureShape& shape) {
    if (shape.empty || !Meets(shape.bounds, visible_, shape.points.empty() ? reach_ : pointReach_)) return;
    if (!shape.parts.empty()) {
        if (shape.bounds.width() < pixel_ && shape.bounds.height() < pixel_) {
            dots_.push_back(transform_.ToPixels(shape.bounds.center()));
        } else if (highlight_) {
            Outline(shape);
        } else {
            UseLines(shape.type == host::GeometryTypeCode::Polyline);
            DrawParts(painter_, shape, transform_, scratch_);
        }
    }
    const QPointF markerOffset(marker_.width() / 2.0, marker_.height() / 2.0);
    for (const QPointF& p : shape.points) {
        if (highlight_) {
            UsePen(true);
            painter_.drawEllipse(transform_.ToPixels(p), kMarkerRadius + 1.5, kMarkerRadius + 1.5);
        } else {
            painter_.drawImage(transform_.ToPixels(p) - markerOffset, marker_);
        }
    }
}

// The highlight's pen, or no pen and its colour as brush to fill an outline made here.
void ShapePainter::UsePen(bool pen) {
    if (pen == pen_) return;
    pen_ = pen;
    painter_.setPen(pen ? outline_ : QPen(Qt::NoPen));
    painter_.setBrush(pen ? QBrush(Qt::NoBrush) : QBrush(MapRenderer::SelectionColor()));
}

// Outlines the rings and paths of a shape that meet the area, without the vertices they pass
// within kOutlineTolerance of. A ring larger than the area is cut to it first (stroked whole,
// it would cost as much in each band it crosses), and its outline is filled as made by
// BevelStroke, which leaves out the angles Qt's stroker computes at every join.
void ShapePainter::Outline(const FeatureShape& shape) {
    for (const ShapePart& part : shape.parts) {
        if (!Meets(part.bounds, visible_, reach_)) continue;
        if (!part.ring || cutMap_.contains(part.bounds)) {
            ToPixels(part.vertices, transform_, scratch_);
        } else {
            ClipRing(part.vertices, cutMap_, clipped_);
            ToPixels(clipped_, transform_, scratch_);
        }
        Simplify(scratch_, kOutlineTolerance);
        const bool made = part.ring && BevelStroke(scratch_, outline_.widthF(), clipped_);
        UsePen(!made);
        if (made)
            painter_.drawPolygon(clipped_.constData(), static_cast<int>(clipped_.size()), Qt::WindingFill);
        else if (part.ring)
            painter_.drawPolygon(scratch_);
        else
            painter_.drawPolyline(scratch_);
    }
}

void ShapePainter::EndLayer() {
    if (!dots_.empty()) {
        // The highlight's dots as wide as its outlines; the plain ones one sharp pixel.
        painter_.setRenderHint(QPainter::Antialiasing, highlight_);
        painter_.setPen(highlight_ ? outline_
                                   : QPen(lines_ ? MapRenderer::LineColor() : MapRenderer::PolygonOutline(), 1));
        painter_.drawPoints(dots_.data(), static_cast<int>(dots_.size()));
        painter_.setRenderHint(QPainter::Antialiasing, true);
        dots_.clear();
    }
    lines_ = false;
    pen_ = true;
    painter_.setPen(outline_);
    painter_.setBrush(fill_);
}

// Draws the shapes of the scene that meet the area of the picture.
void DrawShapes(QPainter& painter, const LayerScene& scene, const QRect& area) {
    ShapePainter shapes(painter, scene, area);
    for (std::size_t i = 0; i < scene.layers.size(); ++i) {
        ForEachShape(scene, i, [&](const FeatureShape& shape) { shapes.Draw(shape); });
        shapes.EndLayer();
    }
}

// How many of the scene's shapes draw into its picture.
std::size_t ShapesInView(const LayerScene& scene) {
    const QRectF visible = scene.transform.ToMap(scene.size);
    const double pixel = 1 / scene.transform.Scale();
    std::size_t count = 0;
    for (std::size_t i = 0; i < scene.layers.size(); ++i)
        ForEachShape(scene, i, [&](const FeatureShape& shape) {
            if (!shape.empty && Meets(shape.bounds, visible, (shape.points.empty() ? kReach : kPointReach) * pixel))
                ++count;
        });
    return count;
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
    for (std::size_t i = 0; i < made->shapes.size(); ++i)
        host::ResumeNext([&] { made->shapes[i] = ShapeOf(featureClass.ShapeAt(i)); });
    entry = CacheEntry{featureClass.weak_from_this(), made->shapes.size(), made};
    // Forget classes that are gone.
    std::erase_if(cache_, [](const auto& item) { return item.second.table.expired(); });
    return made;
}

LayerScene MapRenderer::Scene(host::ActiveView& view, const ViewTransform& transform, QSize size) {
    LayerScene scene;
    scene.transform = transform;
    scene.size = size;
    if (scene.IsEmpty()) return scene;
    for (host::FeatureLayer* layer : ShownLayers(view)) scene.layers.push_back(ShapesOf(*layer->FeatureClass()));
    scene.shapesInView = ShapesInView(scene);
    return scene;
}

LayerScene MapRenderer::SelectionScene(host::ActiveView& view, const ViewTransform& transform, QSize size) {
    LayerScene scene;
    scene.highlight = true;
    scene.transform = transform;
    scene.size = size;
    if (scene.IsEmpty()) return scene;
    for (host::FeatureLayer* layer : ShownLayers(view)) {
        const host::FeatureClass& featureClass = *layer->FeatureClass();
        std::shared_ptr<const ClassShapes> shapes = ShapesOf(featureClass);
        std::vector<std::size_t> positions;
        for (std::int64_t oid : layer->SelectionSet()->IDs()) {
            const std::optional<std::size_t> position = featureClass.PositionOf(oid);
            if (position && *position < shapes->shapes.size()) positions.push_back(*position);
        }
        if (positions.empty()) continue;
        scene.layers.push_back(std::move(shapes));
        scene.selected.push_back(std::move(positions));
    }
    scene.shapesInView = ShapesInView(scene);
    return scene;
}

QImage MapRenderer::Picture(const LayerScene& scene) {
    // An empty highlight lays nothing over the layers.
    if (scene.highlight && scene.shapesInView == 0) return {};
    QImage image(scene.size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return image;
    image.fill(scene.highlight ? Qt::transparent : Qt::white);
    if (scene.IsEmpty()) return image;
    DrawInBands(image, ThreadsFor(scene.Cost(), kShapesPerThread),
                [&scene](QPainter& painter, const QRect& band) { DrawShapes(painter, scene, band); });
    return image;
}

QImage MapRenderer::RenderImage(host::ActiveView& view, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const ViewTransform transform(ViewExtent(view), QSizeF(size));
    if (!transform.IsValid()) return image;
    const LayerScene layers = Scene(view, transform, size);
    const LayerScene selection = SelectionScene(view, transform, size);
    const GraphicsScene graphics = Graphics(view, transform, size);
    // The three pictures drawn at the same time and laid over each other, as on the canvas.
    QFuture<QImage> highlight = QtConcurrent::run([&selection] { return Picture(selection); });
    QFuture<QImage> elements = QtConcurrent::run([&graphics] { return Picture(graphics); });
    QPainter painter(&image);
    painter.drawImage(0, 0, Picture(layers));
    for (QFuture<QImage>* picture : {&highlight, &elements})
        if (!picture->result().isNull()) painter.drawImage(0, 0, picture->result());
    painter.end();
    return image;
}

}  // namespace desktop
