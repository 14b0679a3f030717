#pragma once
// Draws an active view as the host shows it: the feature layers of a map with plain
// symbols (bottom layer first, hidden layers and members of hidden groups left out), the
// selected features highlighted in cyan, then the view's graphic elements with their own
// symbols, colours, widths and sizes. Shapes are read once per feature class and kept while
// the class lives; the graphics are read again only when the elements, their geometries or
// symbols change or the view is refreshed. Everything is drawn at the resolution of the
// picture: only the shapes and rings whose envelope meets the picture, each with the
// vertices less than a pixel apart merged, and a shape smaller than a pixel as a dot.

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
    // The map rectangle a picture of that size shows.
    QRectF ToMap(QSize picture) const { return ToMap(QRectF(QPointF(0, 0), QSizeF(picture))); }
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

// A graphic element ready to draw: its shape in map units and its symbol as pen, brush or
// marker. Made on the user-interface thread from the element, then only read.
struct Graphic;

// The layers of a view as they are to be drawn, or (highlight) the selected shapes of those
// layers: the visible layers' shapes (bottom first), the transform and the picture's size.
// Made on the user-interface thread from the host's model; drawing it touches the host no
// more, so any thread may draw it.
struct LayerScene {
    std::vector<std::shared_ptr<const ClassShapes>> layers;
    // The highlight of the selection: for each layer with a selection the positions of its
    // selected shapes, in the order of their ids; only they are drawn, in the selection's
    // colour.
    bool highlight = false;
    std::vector<std::vector<std::size_t>> selected;
    ViewTransform transform;
    QSize size;
    // How many shapes meet the picture: what drawing it costs.
    std::size_t shapesInView = 0;

    bool IsEmpty() const { return !transform.IsValid() || size.isEmpty(); }
    // The cost in plain shapes: a highlighted one, outlined two pixels wide, costs about two.
    std::size_t Cost() const { return highlight ? 2 * shapesInView : shapesInView; }
    // The same shapes, extent and size: the same picture.
    bool operator==(const LayerScene& other) const {
        return layers == other.layers && highlight == other.highlight && selected == other.selected &&
               transform == other.transform && size == other.size;
    }
};

// The view's graphic elements as they are to be drawn, in the order they were added. Like a
// LayerScene, any thread may draw it.
struct GraphicsScene {
    std::shared_ptr<const std::vector<Graphic>> graphics;
    ViewTransform transform;
    QSize size;
    // The vertices and points of the elements that meet the picture.
    std::size_t verticesInView = 0;

    bool IsEmpty() const { return !graphics || !transform.IsValid() || size.isEmpty(); }
    // The cost in plain shapes of the layers: an outlined graphic costs about as much for
    // every four vertices.
    std::size_t Cost() const { return verticesInView / 4; }
    bool operator==(const GraphicsScene& other) const {
        return graphics == other.graphics && transform == other.transform && size == other.size;
    }
};

// Draws a view in three pictures laid over each other: the layers on white, the selection's
// highlight and the graphics on clear pictures. Each is made from a scene and drawn only
// when its scene changes: a new selection leaves the layers and graphics as they were.
class MapRenderer {
public:
    MapRenderer();
    ~MapRenderer();
    MapRenderer(const MapRenderer&) = delete;
    MapRenderer& operator=(const MapRenderer&) = delete;

    // A picture of the view's extent: width x height pixels, as the canvas shows it.
    QImage RenderImage(host::ActiveView& view, QSize size);

    // The scenes of the view for a picture of that size (user-interface thread): the
    // layers, the selected shapes of the visible layers, the graphic elements.
    LayerScene Scene(host::ActiveView& view, const ViewTransform& transform, QSize size);
    LayerScene SelectionScene(host::ActiveView& view, const ViewTransform& transform, QSize size);
    GraphicsScene Graphics(host::ActiveView& view, const ViewTransform& transform, QSize size);

    // The picture of a scene (any thread): the layers on white, the highlight and the
    // graphics on a clear picture. A costly scene is drawn in bands on several threads at
    // once.
    static QImage Picture(const LayerScene& scene);
    static QImage Picture(const GraphicsScene& scene);

    // The plain symbols and the highlight.
    static QColor PolygonFill() { return {238, 232, 213}; }
    static QColor PolygonOutline() { return {140, 140, 140}; }
    static QColor LineColor() { return {96, 96, 96}; }
    static QColor PointColor() { return {30, 90, 170}; }
    static QColor SelectionColor() { return {0, 255, 255}; }

private:
    std::shared_ptr<const ClassShapes> ShapesOf(const host::FeatureClass& featureClass);
    std::shared_ptr<const std::vector<Graphic>> GraphicsOf(host::ActiveView& view);

    struct CacheEntry {
        std::weak_ptr<const host::Table> table;
        std::size_t size = 0;
        std::shared_ptr<const ClassShapes> shapes;
    };
    std::unordered_map<const host::FeatureClass*, CacheEntry> cache_;

    // The graphics last made and what they were made from: the elements, their geometries
    // (held, so that no new geometry takes an old one's address), their symbols and the
    // view's refreshes (a geometry changed in place is drawn after a refresh).
    struct GraphicSource;
    std::vector<GraphicSource> graphicSources_;
    long graphicRefreshes_ = -1;
    std::shared_ptr<const std::vector<Graphic>> graphics_;
};

}  // namespace desktop
