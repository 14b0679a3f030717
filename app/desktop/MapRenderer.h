#pragma once
// Draws an active view as the host shows it: the feature layers of a map with plain
// symbols (bottom layer first, hidden layers and members of hidden groups left out), the
// selected features highlighted in cyan, then the view's graphic elements with their own
// symbols, colours, widths and sizes. Shapes are read once per feature class and kept while
// the class lives. Only the shapes whose envelope meets the picture are drawn, each with the
// vertices less than a pixel apart merged, and a shape smaller than a pixel as a dot. The
// layers can be drawn apart from the overlay (selection and graphics), on any thread, from a
// LayerScene that holds what they need.

#include <QImage>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QTransform>

#include <memory>
#include <unordered_map>
#include <vector>

class QPainter;

namespace host {
class ActiveView;
class Element;
class FeatureClass;
class FeatureLayer;
class Map;
class Table;
}  // namespace host

namespace desktop {

// A map extent fitted into a pixel area: its proportions kept, centred, map y pointing up.
class ViewTransform {
public:
    ViewTransform() = default;
    // extent: x from left() to right(), y from top() (the lower edge) to bottom().
    ViewTransform(const QRectF& extent, const QSizeF& pixels);

    bool IsValid() const { return scale_ > 0; }
    // Pixels per map unit.
    double Scale() const { return scale_; }
    QPointF ToPixels(QPointF map) const;
    QPointF ToMap(QPointF pixel) const;
    // Map coordinates to pixels.
    QTransform Matrix() const;
    // The map rectangle a pixel rectangle covers (normalised: top() is the lower edge).
    QRectF ToMap(const QRectF& pixels) const;
    bool operator==(const ViewTransform& other) const = default;

private:
    double scale_ = 0;
    double originX_ = 0;  // the map point at pixel (0, 0)
    double originY_ = 0;
};

// The map extent the view shows: its extent, or for a map without one its full extent; a
// null rectangle when there is nothing to show. An extent without width or height is
// widened to a square.
QRectF ViewExtent(host::ActiveView& view);

// The feature layers the map shows (shown themselves and in shown groups), bottom first.
std::vector<host::FeatureLayer*> VisibleFeatureLayers(const host::Map& map);

// The shapes of one feature class, in table order, made once and then only read: a drawing
// on another thread holds them while the user-interface thread may make newer ones.
struct ClassShapes;

// The layers of a view as they are to be drawn: the visible layers' shapes (bottom first),
// the transform and the picture's size. Made on the user-interface thread from the host's
// model; drawing it touches the host no more, so any thread may draw it.
struct LayerScene {
    std::vector<std::shared_ptr<const ClassShapes>> layers;
    ViewTransform transform;
    QSize size;
    // How many shapes meet the picture: what drawing it costs.
    std::size_t shapesInView = 0;

    bool IsEmpty() const { return !transform.IsValid() || size.isEmpty(); }
    // The same layers, extent and size: the same picture.
    bool operator==(const LayerScene& other) const {
        return layers == other.layers && transform == other.transform && size == other.size;
    }
};

class MapRenderer {
public:
    // Draws the view into area of the painter's device: the layers, then the overlay.
    void Render(QPainter& painter, host::ActiveView& view, const ViewTransform& transform, const QRect& area);
    // A picture of the view's extent: width x height pixels on white.
    QImage RenderImage(host::ActiveView& view, QSize size);

    // The layers of the view to draw into a picture of that size (user-interface thread).
    LayerScene Scene(host::ActiveView& view, const ViewTransform& transform, QSize size);
    // The layers on white (any thread). A scene with many shapes is drawn in parts on
    // several threads at once.
    static QImage LayersImage(const LayerScene& scene);
    // The layers onto the painter, whose device is scene.size large (any thread).
    static void DrawLayers(QPainter& painter, const LayerScene& scene);
    // What is drawn over the layers: the selected features highlighted, then the view's
    // graphic elements (user-interface thread).
    void DrawOverlay(QPainter& painter, host::ActiveView& view, const ViewTransform& transform, const QRect& area);

    // The plain symbols and the highlight.
    static QColor PolygonFill() { return {238, 232, 213}; }
    static QColor PolygonOutline() { return {140, 140, 140}; }
    static QColor LineColor() { return {96, 96, 96}; }
    static QColor PointColor() { return {30, 90, 170}; }
    static QColor SelectionColor() { return {0, 255, 255}; }

private:
    std::shared_ptr<const ClassShapes> ShapesOf(const host::FeatureClass& featureClass);
    // Draws the shapes from the first to before the last, counted over all the layers.
    static void DrawLayers(QPainter& painter, const LayerScene& scene, std::size_t first, std::size_t last);
    void DrawElement(QPainter& painter, const host::Element& element, const ViewTransform& transform);

    struct CacheEntry {
        std::weak_ptr<const host::Table> table;
        std::size_t size = 0;
        std::shared_ptr<const ClassShapes> shapes;
    };
    std::unordered_map<const host::FeatureClass*, CacheEntry> cache_;
};

}  // namespace desktop
