#pragma once
// Draws an active view as the host shows it: the feature layers of a map with plain
// symbols (bottom layer first, hidden layers and members of hidden groups left out), the
// selected features highlighted in cyan, then the view's graphic elements with their own
// symbols, colours, widths and sizes. Shapes are turned into paths once per feature class
// and kept while the class lives.

#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
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

class MapRenderer {
public:
    // Draws the view into area of the painter's device.
    void Render(QPainter& painter, host::ActiveView& view, const ViewTransform& transform, const QRect& area);
    // A picture of the view's extent: width x height pixels on white.
    QImage RenderImage(host::ActiveView& view, QSize size);

    // The plain symbols and the highlight.
    static QColor PolygonFill() { return {238, 232, 213}; }
    static QColor PolygonOutline() { return {140, 140, 140}; }
    static QColor LineColor() { return {96, 96, 96}; }
    static QColor PointColor() { return {30, 90, 170}; }
    static QColor SelectionColor() { return {0, 255, 255}; }

private:
    struct FeatureShape {
        long type = 0;  // the geometry type code
        QPainterPath path;
        std::vector<QPointF> points;
        QRectF bounds;
        bool empty = true;  // no geometry: nothing to draw
    };
    struct ClassShapes {
        std::weak_ptr<const host::Table> table;
        std::size_t size = 0;
        std::vector<FeatureShape> shapes;
    };
    const ClassShapes& ShapesOf(const host::FeatureClass& featureClass);
    void DrawElement(QPainter& painter, const host::Element& element, const ViewTransform& transform);

    std::unordered_map<const host::FeatureClass*, ClassShapes> cache_;
};

}  // namespace desktop
