#include "app/desktop/MapShapes.h"

#include <QLineF>
#include <QPainter>
#include <QThread>
#include <QVarLengthArray>
#include <QtNumeric>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

#include "app/desktop/MapRenderer.h"
#include "host/geometry/Envelope.h"
#include "host/geometry/GeometryBag.h"
#include "host/geometry/Multipoint.h"
#include "host/geometry/Point.h"
#include "host/geometry/Polygon.h"
#include "host/geometry/Polyline.h"

namespace desktop {

namespace {

// Vertices closer than this many pixels to the last one drawn are left out.
constexpr double kMergeDistance = 0.75;
// A picture is drawn on at most this many threads, in bands at least kLeastBandRows high,
// about kBandsPerThread for each thread.
constexpr int kMaxThreads = 8;
constexpr int kLeastBandRows = 48;
constexpr int kBandsPerThread = 3;

// The rectangle around the points; QRectF's own union drops rectangles without area, so it
// is made here.
class Bounds {
public:
    void Take(QPointF p) {
        left_ = std::min(left_, p.x());
        top_ = std::min(top_, p.y());
        right_ = std::max(right_, p.x());
        bottom_ = std::max(bottom_, p.y());
    }
    void Take(const QRectF& r) {
        if (r.isNull()) return;
        Take(r.topLeft());
        Take(r.bottomRight());
    }
    QRectF Rect() const { return left_ <= right_ ? QRectF(QPointF(left_, top_), QPointF(right_, bottom_)) : QRectF(); }

private:
    double left_ = qInf(), top_ = qInf(), right_ = -qInf(), bottom_ = -qInf();
};

ShapePart PartOf(const std::vector<host::Coordinate>& coordinates, bool ring) {
    ShapePart part;
    part.ring = ring;
    part.vertices.reserve(static_cast<qsizetype>(coordinates.size()));
    Bounds bounds;
    for (const host::Coordinate& c : coordinates) {
        part.vertices.append(QPointF(c.x, c.y));
        bounds.Take(part.vertices.last());
    }
    part.bounds = bounds.Rect();
    return part;
}

// Adds a geometry's rings and paths to parts, its points to points.
void AddGeometry(const host::Ref<host::Geometry>& geometry, std::vector<ShapePart>& parts,
                 std::vector<QPointF>& points) {
    if (!geometry || geometry->IsEmpty()) return;
    switch (geometry->GeometryType()) {
    case host::GeometryTypeCode::Polygon:
        for (const auto& ring : host::As<host::Polygon>(geometry)->Rings()) parts.push_back(PartOf(ring, true));
        break;
    case host::GeometryTypeCode::Polyline:
        for (const auto& line : host::As<host::Polyline>(geometry)->Paths())
            if (!line.empty()) parts.push_back(PartOf(line, false));
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
        parts.push_back(PartOf({{envelope->XMin(), envelope->YMin()},
                                {envelope->XMax(), envelope->YMin()},
                                {envelope->XMax(), envelope->YMax()},
                                {envelope->XMin(), envelope->YMax()},
                                {envelope->XMin(), envelope->YMin()}},
                               true));
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

// One step of Sutherland-Hodgman: the ring's part on the inner side of one edge of a
// rectangle, the line x = at (vertical) or y = at; the inner side is where the coordinate
// less at has the sign side (1 or -1) or is zero.
void ClipSide(const QPolygonF& ring, bool vertical, double at, int side, QPolygonF& out) {
    auto beyond = [&](QPointF p) { return side * ((vertical ? p.x() : p.y()) - at); };
    auto cross = [&](QPointF a, QPointF b) { return a + (b - a) * (beyond(a) / (beyond(a) - beyond(b))); };
    out.resize(0);
    const qsizetype n = ring.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF& from = ring[(i + n - 1) % n];
        const QPointF& to = ring[i];
        if (beyond(to) >= 0) {
            if (beyond(from) < 0) out.append(cross(from, to));
            out.append(to);
        } else if (beyond(from) >= 0) {
            out.append(cross(from, to));
        }
    }
}

// The square of the distance of p from the segment from a to b.
double SquaredDistance(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a, ap = p - a;
    const double length = QPointF::dotProduct(ab, ab);
    const double t = length > 0 ? std::clamp(QPointF::dotProduct(ap, ab) / length, 0.0, 1.0) : 0.0;
    const QPointF off = ap - ab * t;
    return QPointF::dotProduct(off, off);
}

// The edge from a to b moved half aside to its left (on screen: to the outside of a ring
// running clockwise), as Qt's stroker moves it.
QLineF Offset(QPointF a, QPointF b, double half) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double k = half / std::sqrt(dx * dx + dy * dy);
    const QPointF n(dy * k, -dx * k);
    return {a + n, b + n};
}

// Whether the two lines cross within both.
bool CrossWithin(const QLineF& one, const QLineF& other) {
    const QPointF a = one.p2() - one.p1(), b = other.p1() - other.p2(), c = one.p1() - other.p1();
    const double denominator = a.y() * b.x() - a.x() * b.y();
    if (denominator == 0 || !std::isfinite(denominator)) return false;
    const double na = (b.y() * c.x() - b.x() * c.y()) / denominator;
    const double nb = (a.x() * c.y() - a.y() * c.x()) / denominator;
    return na >= 0 && na <= 1 && nb >= 0 && nb <= 1;
}

// Joins the moved edge before a vertex to the one after it as Qt's stroker does for a bevel
// join: straight across, unless the edges cross or the way across turns more than a right
// angle from the edge before, then through the vertex.
void Join(const QLineF& before, const QLineF& after, QPointF vertex, QPolygonF& out) {
    if (before.p2() == after.p1()) return;
    const QPointF across = after.p1() - before.p2(), along = before.p2() - before.p1();
    const bool straight =
        across.x() * along.x() + across.y() * along.y() >= 0 && across.y() * along.x() - across.x() * along.y() >= 0;
    if (!straight || CrossWithin(before, after)) out.append(vertex);
    out.append(after.p1());
}

// Appends one side of the stroke of the closed ring v[0], v[step], ... (count vertices, the
// last the first): a closed loop.
void AddSide(const QPointF* v, int count, int step, double half, QPolygonF& out) {
    auto at = [&](int i) { return v[step > 0 ? i : count - 1 - i]; };
    const QLineF first = Offset(at(0), at(1), half);
    out.append(first.p1());
    out.append(first.p2());
    QLineF before = first;
    for (int i = 1; i + 1 < count; ++i) {
        const QLineF after = Offset(at(i), at(i + 1), half);
        Join(before, after, at(i), out);
        out.append(after.p2());
        before = after;
    }
    Join(before, first, at(0), out);
}

// An arc of a round stroke: from centre + from to centre + to, turning the way from turns
// to its own right angle (the way the edges' sides turn), in steps of the angle whose
// cosine and sine are cos and sin. The end is appended exactly.
void AddArc(QPointF centre, QPointF from, QPointF to, double cos, double sin, QPolygonF& out) {
    auto cross = [](QPointF a, QPointF b) { return a.x() * b.y() - a.y() * b.x(); };
    QPointF v = from;
    out.append(centre + v);
    for (int i = 0; i < 64; ++i) {
        v = QPointF(v.x() * cos - v.y() * sin, v.x() * sin + v.y() * cos);
        if (cross(v, to) <= 0) break;
        out.append(centre + v);
    }
    out.append(centre + to);
}

// Appends one side of the round stroke of the line v[0], v[step], ... (count distinct
// vertices) and the half circle around its far end.
void AddRoundSide(const QPointF* v, int count, int step, double half, double cos, double sin, QPolygonF& out) {
    auto at = [&](int i) { return v[step > 0 ? i : count - 1 - i]; };
    QLineF before = Offset(at(0), at(1), half);
    out.append(before.p1());
    for (int i = 1; i + 1 < count; ++i) {
        const QLineF after = Offset(at(i), at(i + 1), half);
        const QPointF normal = before.p2() - at(i), next = after.p1() - at(i);
        // The next edge turning towards this side: the sides meet, else they part.
        if (QPointF::dotProduct(at(i + 1) - at(i), normal) > 0) {
            out.append(before.p2());
            out.append(at(i));
            out.append(after.p1());
        } else {
            AddArc(at(i), normal, next, cos, sin, out);
        }
        before = after;
    }
    AddArc(at(count - 1), before.p2() - at(count - 1), at(count - 1) - before.p2(), cos, sin, out);
}

// The vertices without those equal to the one before: an edge of no length has no side to
// stroke. On the stack for the many small outlines.
using Vertices = QVarLengthArray<QPointF, 64>;
Vertices Distinct(const QPointF* points, int count) {
    Vertices vertices;
    for (int i = 0; i < count; ++i)
        if (vertices.isEmpty() || points[i] != vertices.last()) vertices.append(points[i]);
    return vertices;
}

}  // namespace

FeatureShape ShapeOf(const host::Ref<host::Geometry>& geometry) {
    FeatureShape shape;
    shape.type = geometry ? geometry->GeometryType() : 0;
    AddGeometry(geometry, shape.parts, shape.points);
    Bounds bounds;
    for (const ShapePart& part : shape.parts) bounds.Take(part.bounds);
    for (const QPointF& p : shape.points) bounds.Take(p);
    shape.bounds = bounds.Rect();
    shape.empty = shape.parts.empty() && shape.points.empty();
    return shape;
}

QRectF BoundsOf(const QPointF* points, int count) {
    Bounds bounds;
    for (int i = 0; i < count; ++i) bounds.Take(points[i]);
    return bounds.Rect();
}

bool Meets(const QRectF& bounds, const QRectF& visible, double margin) {
    return bounds.right() + margin >= visible.left() && bounds.left() - margin <= visible.right() &&
           bounds.bottom() + margin >= visible.top() && bounds.top() - margin <= visible.bottom();
}

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

void Simplify(QPolygonF& line, double tolerance) {
    const qsizetype n = line.size();
    if (n < 3) return;
    // On the stack for the many small outlines.
    QVarLengthArray<bool, 64> keep(n, false);
    keep.front() = keep.back() = true;
    QVarLengthArray<std::pair<qsizetype, qsizetype>, 32> spans{{0, n - 1}};
    const double limit = tolerance * tolerance;
    while (!spans.empty()) {
        const auto [first, last] = spans.back();
        spans.removeLast();
        double farthest = limit;
        qsizetype at = -1;
        for (qsizetype i = first + 1; i < last; ++i) {
            const double d = SquaredDistance(line[i], line[first], line[last]);
            if (d > farthest) farthest = d, at = i;
        }
        if (at < 0) continue;
        keep[at] = true;
        spans.append({first, at});
        spans.append({at, last});
    }
    qsizetype kept = 0;
    for (qsizetype i = 0; i < n; ++i)
        if (keep[i]) line[kept++] = line[i];
    line.resize(kept);
}

void ClipRing(const QPolygonF& ring, const QRectF& rect, QPolygonF& out) {
    QPolygonF other;
    ClipSide(ring, true, rect.left(), 1, other);
    ClipSide(other, true, rect.right(), -1, out);
    ClipSide(out, false, rect.top(), 1, other);
    ClipSide(other, false, rect.bottom(), -1, out);
    if (!out.isEmpty()) out.append(out.front());
}

bool BevelStroke(const QPolygonF& ring, double width, QPolygonF& out) {
    // The ring closed, without edges of no length (the stroker skips them).
    Vertices vertices = Distinct(ring.constData(), static_cast<int>(ring.size()));
    if (!vertices.isEmpty() && vertices.last() != vertices.front()) {
        const QPointF first = vertices.front();
        vertices.append(first);
    }
    out.resize(0);
    const auto count = static_cast<int>(vertices.size());
    if (count < 4) return false;
    AddSide(vertices.constData(), count, 1, width / 2, out);
    AddSide(vertices.constData(), count, -1, width / 2, out);
    return true;
}

bool RoundStroke(const QPointF* line, int count, double width, QPolygonF& out) {
    const Vertices vertices = Distinct(line, count);
    out.resize(0);
    const auto distinct = static_cast<int>(vertices.size());
    if (distinct < 2) return false;
    // Arcs in steps whose chords pass within a twentieth of a pixel of the circle, at most
    // an eighth of a turn.
    const double half = width / 2;
    const double angle = half > 0.05 ? std::min(2 * std::acos(1 - 0.05 / half), M_PI / 4) : M_PI / 4;
    AddRoundSide(vertices.constData(), distinct, 1, half, std::cos(angle), std::sin(angle), out);
    AddRoundSide(vertices.constData(), distinct, -1, half, std::cos(angle), std::sin(angle), out);
    return true;
}

int ThreadsFor(std::size_t cost, std::size_t perThread) {
    if (cost < perThread) return 1;
    return std::clamp(static_cast<int>(cost / perThread), 1, std::clamp(QThread::idealThreadCount(), 1, kMaxThreads));
}

void DrawInBands(QImage& image, int threads, const std::function<void(QPainter&, const QRect&)>& draw) {
    if (threads <= 1) {
        QPainter painter(&image);
        draw(painter, image.rect());
        return;
    }
    // More bands than threads, taken in turn, so that a thread whose bands hold little takes
    // more of them; each band a picture of its own over the rows of the image.
    const int rows =
        std::max(kLeastBandRows, (image.height() + threads * kBandsPerThread - 1) / (threads * kBandsPerThread));
    const int bands = (image.height() + rows - 1) / rows;
    uchar* const bits = image.bits();
    std::atomic<int> next{0};
    auto drawBands = [&] {
        for (int band = next++; band < bands; band = next++) {
            const int top = band * rows;
            const QRect area(0, top, image.width(), std::min(rows, image.height() - top));
            QImage strip(bits + static_cast<qsizetype>(top) * image.bytesPerLine(), area.width(), area.height(),
                         image.bytesPerLine(), image.format());
            QPainter painter(&strip);
            painter.translate(0, -top);
            draw(painter, area);
        }
    };
    std::vector<std::thread> helpers;
    for (int i = 1; i < std::min(threads, bands); ++i) helpers.emplace_back(drawBands);
    drawBands();
    for (std::thread& helper : helpers) helper.join();
}

}  // namespace desktop
