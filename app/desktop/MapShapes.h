#pragma once
// The map renderer's own pieces, shared by the drawing of the layers and of the graphics:
// shapes in map units read once from host geometries, their vertices at the resolution of
// the picture (those less than a pixel apart merged), outlines simplified and their strokes
// made without Qt's stroker, and the drawing of a picture in bands on several threads.

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QPen>
#include <QPolygonF>
#include <QRectF>

#include <cstddef>
#include <functional>
#include <vector>

#include "host/carto/SimpleMarkerSymbol.h"
#include "host/core/Ref.h"

class QPainter;

namespace host {
class Geometry;
}

namespace desktop {

class ViewTransform;

// A ring of a polygon or a path of a line, in map units.
struct ShapePart {
    QPolygonF vertices;
    QRectF bounds;
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

// How a graphic element is drawn: a fill's outline pen and brush, a line's pen, or a
// marker's style, colour and radius in pixels.
struct GraphicLook {
    enum class Kind { Fill, Line, Marker } kind = Kind::Fill;
    QPen pen;
    QBrush brush;
    host::MarkerStyle markerStyle = host::MarkerStyle::Circle;
    QColor markerColor;
    double markerRadius = 0;

    bool operator==(const GraphicLook& other) const = default;
};

struct Graphic {
    GraphicLook look;
    FeatureShape shape;
};

// The shape of a geometry (an empty one for Nothing or an empty geometry).
FeatureShape ShapeOf(const host::Ref<host::Geometry>& geometry);

// The rectangle around count points (a null rectangle for none).
QRectF BoundsOf(const QPointF* points, int count);

// Whether bounds, widened by margin on every side, meet the visible rectangle.
bool Meets(const QRectF& bounds, const QRectF& visible, double margin);

// A part in pixels, without the vertices that lie within 0.75 pixels of the last one kept
// (a path keeps its last vertex).
void ToPixels(const QPolygonF& part, const ViewTransform& transform, QPolygonF& out);

// How far the highlight's and the graphics' outlines may pass from a vertex they leave out,
// in pixels: far less than an antialiased edge's shade shows.
constexpr double kOutlineTolerance = 0.15;

// Leaves out the vertices of a line or closed ring (pixels) that the lines between the
// others pass within tolerance of (Douglas-Peucker): the line moves by at most that much.
// The first and the last vertex stay.
void Simplify(QPolygonF& line, double tolerance);

// The part of a closed ring within the rectangle (normalised, in the ring's units), as a
// closed ring: where the ring leaves the rectangle, the rectangle's edge takes its place. Stroked with a pen that
// reaches less far than the rectangle's margin around an area, it covers the same pixels of
// that area as the whole ring, and so does its fill with either fill rule.
void ClipRing(const QPolygonF& ring, const QRectF& rect, QPolygonF& out);

// The region a pen of that width with bevel joins covers along a closed ring (pixels), as Qt's
// stroker makes it, but as one polygon to fill with the winding rule: each side of the ring
// a loop of its edges moved half the width aside, joined by a bevel where they part and
// through the vertex where they cross or turn back; the two loops joined by an edge there
// and back. False (out left empty) for a ring of fewer than three edges.
bool BevelStroke(const QPolygonF& ring, double width, QPolygonF& out);

// The region a pen of that width with round caps and joins covers along a line (pixels), as
// one polygon to fill with the winding rule: each side a chain of its edges moved half the
// width aside, joined by an arc where they part and through the vertex where they meet, the
// two sides joined by half circles around the ends. The arcs are polygons whose edges pass
// within a twentieth of a pixel of the circle. False (out left empty) for a line of fewer
// than two distinct vertices.
bool RoundStroke(const QPointF* line, int count, double width, QPolygonF& out);

// A picture is drawn on one more thread for each this much cost (shapes in view, see the
// scenes' Cost()).
constexpr std::size_t kShapesPerThread = 2500;

// How many threads to draw a picture that costs that much with: one below perThread, else
// one for each perThread, at most one per processor and at most eight.
int ThreadsFor(std::size_t cost, std::size_t perThread);

// Draws the picture in horizontal bands, on that many threads at once:
// draw(painter, band) draws what meets the band, a rectangle of the picture's pixels, with a
// painter that paints in the picture's coordinates and only within the band. The bands
// share no pixel, so the picture is the one drawn in one piece.
void DrawInBands(QImage& image, int threads, const std::function<void(QPainter&, const QRect&)>& draw);

}  // namespace desktop
