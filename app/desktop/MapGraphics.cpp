// The map renderer's graphics: the view's elements read into Graphic values when they
// change, and drawn from those on any thread.
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <optional>

#include "app/desktop/MapRenderer.h"
#include "app/desktop/MapShapes.h"
#include "app/desktop/WidgetLook.h"
#include "host/carto/ActiveView.h"
#include "host/carto/LineElement.h"
#include "host/carto/MarkerElement.h"
#include "host/carto/PolygonElement.h"
#include "host/core/ErrorTrap.h"

namespace desktop {

namespace {

// An outline is stroked in runs of at most this many segments.
constexpr int kStrokeRun = 64;

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
    return {ColorOf(symbol.Color()), PointsToPixels(symbol.Width()), PenStyleOf(symbol.Style()), Qt::RoundCap,
            Qt::RoundJoin};
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

// How an element is drawn; nothing for a kind of element the view does not draw.
std::optional<GraphicLook> LookOf(const host::Element& element) {
    GraphicLook look;
    if (const auto* polygon = dynamic_cast<const host::PolygonElement*>(&element)) {
        const host::Ref<host::SimpleFillSymbol> symbol = polygon->Symbol();
        const host::Ref<host::SimpleLineSymbol> outline = symbol->Outline();
        look.kind = GraphicLook::Kind::Fill;
        look.brush = BrushOf(*symbol);
        look.pen = outline ? PenOf(*outline) : QPen(Qt::NoPen);
    } else if (const auto* line = dynamic_cast<const host::LineElement*>(&element)) {
        look.kind = GraphicLook::Kind::Line;
        look.brush = Qt::NoBrush;
        look.pen = PenOf(*line->Symbol());
    } else if (const auto* marker = dynamic_cast<const host::MarkerElement*>(&element)) {
        const host::Ref<host::SimpleMarkerSymbol> symbol = marker->Symbol();
        look.kind = GraphicLook::Kind::Marker;
        look.markerStyle = symbol->Style();
        look.markerColor = ColorOf(symbol->Color());
        look.markerRadius = PointsToPixels(symbol->Size()) / 2;
    } else {
        return std::nullopt;
    }
    return look;
}

void DrawMarker(QPainter& painter, QPointF at, const GraphicLook& look) {
    const double r = look.markerRadius;
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.markerColor);
    switch (look.markerStyle) {
    case host::MarkerStyle::Square: painter.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r)); break;
    case host::MarkerStyle::Diamond:
        painter.drawPolygon(
            QPolygonF({{at.x(), at.y() - r}, {at.x() + r, at.y()}, {at.x(), at.y() + r}, {at.x() - r, at.y()}}));
        break;
    case host::MarkerStyle::Cross:
    case host::MarkerStyle::X: {
        painter.setPen(QPen(look.markerColor, std::max(1.0, r / 4), Qt::SolidLine, Qt::FlatCap));
        painter.setBrush(Qt::NoBrush);
        if (look.markerStyle == host::MarkerStyle::Cross) {
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

// How far beyond its shape a graphic draws, in map units.
double Reach(const GraphicLook& look, double pixel) {
    const double pixels = look.kind == GraphicLook::Kind::Marker ? look.markerRadius + 1 : look.pen.widthF() / 2 + 1;
    return pixels * pixel;
}

// Whether the outline is stroked in runs (see DrawOutline): a solid pen with round caps and
// joins covers the same pixels drawn in runs that share their end vertices as drawn whole.
bool StrokedInRuns(const GraphicLook& look) {
    return look.kind != GraphicLook::Kind::Marker && look.pen.style() == Qt::SolidLine &&
           look.pen.capStyle() == Qt::RoundCap && look.pen.joinStyle() == Qt::RoundJoin;
}

bool SmallerThanPixel(const FeatureShape& shape, double pixel) {
    return shape.bounds.width() < pixel && shape.bounds.height() < pixel;
}

// The vertices and points of the graphic that meet the visible rectangle: what drawing it
// costs.
std::size_t VerticesInView(const Graphic& graphic, const QRectF& visible, double pixel) {
    const double reach = Reach(graphic.look, pixel);
    if (graphic.shape.empty || !Meets(graphic.shape.bounds, visible, reach)) return 0;
    std::size_t vertices = graphic.shape.points.size();
    for (const ShapePart& part : graphic.shape.parts)
        if (Meets(part.bounds, visible, reach)) vertices += static_cast<std::size_t>(part.vertices.size());
    return std::max<std::size_t>(vertices, 1);
}

// A ring or path of a graphic in pixels, made once for a picture and drawn in its bands,
// with the bounds of the part and of each run of its outline (see DrawOutline).
struct PixelPart {
    QPolygonF vertices;
    QRectF bounds;
    std::vector<QRectF> runs;
    bool ring = false;
};

// The rings and paths of a graphic that meet the visible rectangle, in pixels. A ring wholly
// outside the picture neither covers nor uncovers a pixel of it, so it is left out.
std::vector<PixelPart> PixelsOf(const Graphic& graphic, const ViewTransform& transform, const QRectF& visible) {
    std::vector<PixelPart> parts;
    const double reach = Reach(graphic.look, 1 / transform.Scale());
    if (graphic.shape.empty || !Meets(graphic.shape.bounds, visible, reach)) return parts;
    for (const ShapePart& part : graphic.shape.parts) {
        if (part.vertices.isEmpty() || !Meets(part.bounds, visible, reach)) continue;
        PixelPart& pixels = parts.emplace_back();
        pixels.ring = part.ring;
        ToPixels(part.vertices, transform, pixels.vertices);
        Simplify(pixels.vertices, kOutlineTolerance);
        const auto n = static_cast<int>(pixels.vertices.size());
        pixels.bounds = BoundsOf(pixels.vertices.constData(), n);
        for (int start = 0; start + 1 < n; start += kStrokeRun)
            pixels.runs.push_back(BoundsOf(pixels.vertices.constData() + start, std::min(kStrokeRun + 1, n - start)));
    }
    return parts;
}

// The parts that meet the area as one path: rings closed by their last vertex, paths open.
QPainterPath PathOf(const std::vector<PixelPart>& parts, const QRectF& area, double margin) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const PixelPart& part : parts) {
        if (!Meets(part.bounds, area, margin)) continue;
        if (part.ring) {
            path.addPolygon(part.vertices);
        } else {
            path.moveTo(part.vertices.front());
            for (qsizetype i = 1; i < part.vertices.size(); ++i) path.lineTo(part.vertices[i]);
        }
    }
    return path;
}

// Draws a graphic's fill and any outline that is not stroked in runs, where they meet the
// area (pixels).
void DrawFill(QPainter& painter, const GraphicLook& look, const std::vector<PixelPart>& parts, const QRectF& area,
              double margin) {
    const bool outlined = look.pen.style() != Qt::NoPen;
    const bool filled = look.brush.style() != Qt::NoBrush;
    if (!filled && (!outlined || StrokedInRuns(look))) return;
    const QPainterPath path = PathOf(parts, area, margin);
    if (filled) {
        // Qt fills a large shape of many rings many times faster without antialiasing; a
        // solid outline a pixel wide or more drawn over it covers the edges.
        painter.setRenderHint(QPainter::Antialiasing, !(look.pen.style() == Qt::SolidLine && look.pen.widthF() >= 1));
        painter.fillPath(path, look.brush);
        painter.setRenderHint(QPainter::Antialiasing, true);
    }
    if (outlined && !StrokedInRuns(look)) painter.strokePath(path, look.pen);
}

// Strokes a run of an outline: a pen wider than a pixel by filling the region RoundStroke
// makes (Qt's stroker computes arc tangents and curves at every join), a thinner one with
// the pen (Qt draws it as a hairline).
void StrokeRun(QPainter& painter, const QPen& pen, const QPointF* run, int count, QPolygonF& scratch) {
    if (pen.widthF() > 1 && RoundStroke(run, count, pen.widthF(), scratch)) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(pen.brush());
        painter.drawPolygon(scratch.constData(), static_cast<int>(scratch.size()), Qt::WindingFill);
    } else {
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(run, count);
    }
}

// Strokes the runs of the outline, at most kStrokeRun segments each, that meet the area:
// Qt rasterises a long outline in bands that each walk all of it, so short runs cost far
// less.
void DrawOutline(QPainter& painter, const GraphicLook& look, const std::vector<PixelPart>& parts, const QRectF& area,
                 double margin) {
    QPolygonF scratch;
    for (const PixelPart& part : parts) {
        if (!Meets(part.bounds, area, margin)) continue;
        const auto n = static_cast<int>(part.vertices.size());
        for (std::size_t run = 0; run < part.runs.size(); ++run) {
            const int start = static_cast<int>(run) * kStrokeRun;
            if (Meets(part.runs[run], area, margin))
                StrokeRun(painter, look.pen, part.vertices.constData() + start, std::min(kStrokeRun + 1, n - start),
                          scratch);
        }
    }
}

// Draws what of a graphic meets the area of the picture, from its parts in pixels; a graphic
// smaller than a pixel as a dot of its outline's width and colour (its fill's without an
// outline).
void DrawGraphic(QPainter& painter, const Graphic& graphic, const std::vector<PixelPart>& parts,
                 const ViewTransform& transform, const QRect& area) {
    const GraphicLook& look = graphic.look;
    const double pixel = 1 / transform.Scale();
    const double margin = Reach(look, pixel) / pixel;
    for (const QPointF& p : graphic.shape.points) {
        const QPointF at = transform.ToPixels(p);
        if (Meets(QRectF(at, at), area, margin)) DrawMarker(painter, at, look);
    }
    if (parts.empty()) return;
    if (SmallerThanPixel(graphic.shape, pixel)) {
        const bool outlined = look.pen.style() != Qt::NoPen;
        painter.setPen(QPen(outlined ? look.pen.color() : look.brush.color(), outlined ? look.pen.widthF() : 1.0,
                            Qt::SolidLine, Qt::RoundCap));
        painter.drawPoint(transform.ToPixels(graphic.shape.bounds.center()));
        return;
    }
    DrawFill(painter, look, parts, area, margin);
    if (StrokedInRuns(look)) DrawOutline(painter, look, parts, area, margin);
}

}  // namespace

struct MapRenderer::GraphicSource {
    host::Ref<host::Element> element;
    host::Ref<host::Geometry> geometry;
    GraphicLook look;

    bool operator==(const GraphicSource& other) const {
        return element == other.element && geometry == other.geometry && look == other.look;
    }
};

MapRenderer::MapRenderer() = default;
MapRenderer::~MapRenderer() = default;

std::shared_ptr<const std::vector<Graphic>> MapRenderer::GraphicsOf(host::ActiveView& view) {
    std::vector<GraphicSource> sources;
    for (const host::Ref<host::Element>& element : view.Elements()) {
        host::ResumeNext([&] {
            if (std::optional<GraphicLook> look = LookOf(*element))
                sources.push_back({element, element->Geometry(), std::move(*look)});
        });
    }
    const long refreshes = view.RefreshCount() + view.PartialRefreshCount(host::ViewPhase::Graphics);
    if (graphics_ && refreshes == graphicRefreshes_ && sources == graphicSources_) return graphics_;
    auto made = std::make_shared<std::vector<Graphic>>();
    made->reserve(sources.size());
    for (const GraphicSource& source : sources) {
        Graphic graphic{source.look, {}};
        host::ResumeNext([&] { graphic.shape = ShapeOf(source.geometry); });
        made->push_back(std::move(graphic));
    }
    graphicSources_ = std::move(sources);
    graphicRefreshes_ = refreshes;
    graphics_ = std::move(made);
    return graphics_;
}

GraphicsScene MapRenderer::Graphics(host::ActiveView& view, const ViewTransform& transform, QSize size) {
    GraphicsScene scene;
    scene.transform = transform;
    scene.size = size;
    if (!transform.IsValid() || size.isEmpty()) return scene;
    scene.graphics = GraphicsOf(view);
    const QRectF visible = transform.ToMap(size);
    for (const Graphic& graphic : *scene.graphics)
        scene.verticesInView += VerticesInView(graphic, visible, 1 / transform.Scale());
    return scene;
}

QImage MapRenderer::Picture(const GraphicsScene& scene) {
    // Without a graphic in view nothing is laid over the layers.
    if (scene.IsEmpty() || scene.verticesInView == 0) return {};
    QImage image(scene.size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return image;
    image.fill(Qt::transparent);
    // The parts in pixels are made once, then each band draws what of them meets it.
    const QRectF visible = scene.transform.ToMap(scene.size);
    std::vector<std::vector<PixelPart>> pixels;
    for (const Graphic& graphic : *scene.graphics) pixels.push_back(PixelsOf(graphic, scene.transform, visible));
    DrawInBands(image, ThreadsFor(scene.Cost(), kShapesPerThread), [&](QPainter& painter, const QRect& band) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        for (std::size_t i = 0; i < pixels.size(); ++i)
            DrawGraphic(painter, (*scene.graphics)[i], pixels[i], scene.transform, band);
    });
    return image;
}

}  // namespace desktop
