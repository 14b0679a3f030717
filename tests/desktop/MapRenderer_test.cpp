// Drawing the active view: the fit of an extent into pixels, the layers with their plain
// symbols and visibility, the graphic elements' own symbols, a large result drawn at the
// resolution of the picture as its plain drawing, pictures kept until what they show
// changes, and the drawing in bands on several threads.
#include <QPainterPath>

#include <cmath>

#include "app/desktop/MapShapes.h"
#include "app/desktop/WidgetLook.h"
#include "host/carto/LineElement.h"
#include "host/carto/MarkerElement.h"
#include "host/carto/PolygonElement.h"
#include "host/data/FeatureClass.h"
#include "host/data/SelectionSet.h"
#include "host/geometry/Point.h"
#include "host/geometry/Polygon.h"
#include "host/geometry/Polyline.h"
#include "tests/desktop/DesktopTest.h"

namespace desktop_test {
namespace {

using desktop::GraphicsScene;
using desktop::LayerScene;
using desktop::MapRenderer;
using desktop::ViewTransform;

TEST(ViewTransform, CentresTheExtentAndRefusesWhatCannotBeFitted) {
    // A wider area than the extent: the extent's lower left corner lands centred horizontally.
    const ViewTransform t(QRectF(0, 0, 100, 400), QSizeF(800, 400));
    ASSERT_TRUE(t.IsValid());
    EXPECT_EQ(t.ToPixels(QPointF(0, 0)), QPointF(350, 400));
    // Nothing to fit or nowhere to fit it: no transform rather than a division by zero.
    for (const auto& [extent, pixels] :
         {std::pair{QRectF(), QSizeF(10, 10)}, std::pair{QRectF(0, 0, 10, 10), QSizeF(0, 10)},
          std::pair{QRectF(0, 0, 0, 10), QSizeF(10, 10)}})
        EXPECT_FALSE(ViewTransform(extent, pixels).IsValid());
}

class MapRendererTest : public SmallMapTest {
protected:
    // The small map drawn at one pixel a foot: map (x, y) lies at pixel (x - 900, 2200 - y).
    QImage Draw() { return renderer_.RenderImage(*document_->FocusMap(), QSize(600, 300)); }
    static QRgb At(const QImage& image, double x, double y) {
        return image.pixel(static_cast<int>(x - 900), static_cast<int>(2200 - y)) & 0xFFFFFFu;
    }

    // Adds an element of the map's view with a fill symbol (a style and an outline of that
    // many points in that colour).
    host::Ref<host::PolygonElement> AddPolygon(const std::vector<std::vector<host::Coordinate>>& rings,
                                               host::FillStyle style, const QColor& color, double outline) {
        auto line = host::New<host::SimpleLineSymbol>();
        line->SetWidth(outline);
        line->SetColor(host::New<host::RgbColor>(color.red(), color.green(), color.blue()));
        auto fill = host::New<host::SimpleFillSymbol>();
        fill->SetStyle(style);
        fill->SetColor(host::New<host::RgbColor>(color.red(), color.green(), color.blue()));
        fill->SetOutline(line);
        auto element = host::New<host::PolygonElement>();
        element->SetGeometry(host::Polygon::FromRings(rings));
        element->SetSymbol(fill);
        document_->FocusMap()->AddElement(element, 0);
        return element;
    }

    MapRenderer renderer_;
};

TEST_F(MapRendererTest, LayersDrawOnlyWhenThemAndTheirGroupsAreShown) {
    const QRgb point = MapRenderer::PointColor().rgb() & 0xFFFFFFu;
    EXPECT_EQ(CountPixels(Draw(), point), 0) << "the hydrants are hidden";
    auto infrastructure = host::As<host::GroupLayer>(document_->FocusMap()->Layer(1));
    infrastructure->Layer(0)->SetVisible(true);
    EXPECT_EQ(At(Draw(), 1050, 2150), point);
    infrastructure->SetVisible(false);  // a hidden group hides its members
    EXPECT_EQ(CountPixels(Draw(), point), 0);

    // A map without an extent of its own shows all of itself, hidden layers included.
    auto empty = host::New<host::Map>();
    EXPECT_TRUE(desktop::ViewExtent(*empty).isNull());
    empty->AddLayer(Parcels());
    EXPECT_EQ(desktop::ViewExtent(*empty), QRectF(1000, 2000, 400, 100));
}

TEST_F(MapRendererTest, ElementsDrawWithTheirOwnSymbols) {
    auto green = [](double width) {
        auto s = host::New<host::SimpleLineSymbol>();
        s->SetWidth(width);
        s->SetColor(host::New<host::RgbColor>(0, 128, 0));
        return s;
    };
    auto add = [this](auto element, auto geometry, auto symbol) {
        element->SetGeometry(geometry);
        element->SetSymbol(symbol);
        document_->FocusMap()->AddElement(element, 0);
    };
    auto hollow = host::New<host::SimpleFillSymbol>();
    hollow->SetStyle(host::FillStyle::Hollow);
    hollow->SetOutline(green(6));
    add(host::New<host::PolygonElement>(),
        host::Polygon::FromRings({{{1020, 2020}, {1080, 2020}, {1080, 2080}, {1020, 2080}}}), hollow);
    add(host::New<host::LineElement>(), host::Polyline::FromPaths({{{950, 1950}, {1450, 1950}}}), green(6));
    auto square = host::New<host::SimpleMarkerSymbol>();
    square->SetStyle(host::MarkerStyle::Square);
    square->SetSize(15);
    square->SetColor(host::New<host::RgbColor>(255, 0, 255));
    add(host::New<host::MarkerElement>(), host::New<host::Point>(1470, 2170), square);

    struct Probe {
        const char* what;
        QPointF at;  // map point
        QRgb expected;
    };
    const QImage image = Draw();
    for (const Probe& p :
         {Probe{"a hollow fill keeps what lies beneath", {1050, 2050}, MapRenderer::PolygonFill().rgb() & 0xFFFFFFu},
          Probe{"the hollow fill's outline", {1020, 2050}, 0x008000},
          Probe{"a line 6 points wide", {1200, 1951}, 0x008000},
          Probe{"a square marker's corner", {1476, 2176}, 0xFF00FF}})
        EXPECT_EQ(At(image, p.at.x(), p.at.y()), p.expected) << p.what;
}

// A ring around (cx, cy) with n vertices a little off the circle: far finer than the pixels
// it covers.
std::vector<host::Coordinate> FineRing(double cx, double cy, double radius, int n) {
    std::vector<host::Coordinate> ring;
    for (int i = 0; i <= n; ++i) {
        const double a = 2 * M_PI * (i % n) / n;
        const double r = radius + 0.2 * std::sin(37 * a);
        ring.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return ring;
}

std::vector<host::Coordinate> Square(double x, double y, double side) {
    return {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}, {x, y}};
}

// A star of that many points around (cx, cy): sharp turns both ways, clockwise or not.
// (Its inner vertices lie a quarter of its radius from the centre: a star of three pixels or
// more keeps them at the resolution of the picture.)
std::vector<host::Coordinate> Star(double cx, double cy, double radius, int points, bool clockwise) {
    std::vector<host::Coordinate> ring;
    for (int i = 0; i <= 2 * points; ++i) {
        const double a = (clockwise ? -1 : 1) * M_PI * (i % (2 * points)) / points;
        const double r = i % 2 == 0 ? radius : radius / 4;
        ring.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return ring;
}

bool Near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Pixels of a whose colour b has neither there nor at a neighbouring pixel: what a drawing
// other than to the pixel leaves. An edge moved by part of a pixel changes the shade of the
// pixels it crosses by up to a quarter.
long Unmatched(const QImage& a, const QImage& b) {
    long count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            bool matched = false;
            for (int dy = -1; dy <= 1 && !matched; ++dy)
                for (int dx = -1; dx <= 1 && !matched; ++dx)
                    matched = b.rect().contains(x + dx, y + dy) && Near(a.pixel(x, y), b.pixel(x + dx, y + dy), 64);
            if (!matched) ++count;
        }
    return count;
}

long CountNear(const QImage& image, QRgb color) {
    long count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += Near(image.pixel(x, y), color, 24) ? 1 : 0;
    return count;
}

// The view drawn plainly, as it was before it was drawn at the resolution of the picture:
// the layers, each ring of each selected parcel outlined with every vertex, then each element
// as one path of every vertex.
QImage PlainDrawing(MapRenderer& renderer, host::Map& map, host::FeatureLayer& parcels, QSize size) {
    const desktop::ViewTransform transform(desktop::ViewExtent(map), QSizeF(size));
    QImage image = MapRenderer::Picture(renderer.Scene(map, transform, size));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    auto pixels = [&](const std::vector<host::Coordinate>& ring) {
        QPolygonF polygon;
        for (const host::Coordinate& c : ring) polygon.append(transform.ToPixels(QPointF(c.x, c.y)));
        return polygon;
    };
    painter.setPen(QPen(MapRenderer::SelectionColor(), 2));
    painter.setBrush(Qt::NoBrush);
    for (std::int64_t oid : parcels.SelectionSet()->IDs()) {
        const auto shape =
            host::As<host::Polygon>(parcels.FeatureClass()->ShapeAt(*parcels.FeatureClass()->PositionOf(oid)));
        for (const auto& ring : shape->Rings()) painter.drawPolygon(pixels(ring), Qt::OddEvenFill);
    }
    for (const host::Ref<host::Element>& element : map.Elements()) {
        const auto symbol = host::As<host::PolygonElement>(element)->Symbol();
        const auto outline = symbol->Outline();
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (const auto& ring : host::As<host::Polygon>(element->Geometry())->Rings()) path.addPolygon(pixels(ring));
        const QColor color(outline->Color()->Red(), outline->Color()->Green(), outline->Color()->Blue());
        painter.setPen(
            QPen(color, desktop::PointsToPixels(outline->Width()), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(symbol->Style() == host::FillStyle::Hollow ? QBrush(Qt::NoBrush) : QBrush(color));
        painter.drawPath(path);
    }
    return image;
}

TEST_F(MapRendererTest, ALargeResultDrawsAsItsPlainDrawingToThePixel) {
    // Every parcel selected; a solid magenta shape of 40,000 vertices with 24 square holes,
    // costly enough to be drawn in bands on several threads; a hollow green outline 3 points
    // wide running out of the picture; blue stars with sharp turns both ways, outlined 2 points
    // wide; a magenta shape smaller than a pixel.
    Parcels()->SelectFeatures(nullptr, host::SelectionResult::New, false);
    std::vector<std::vector<host::Coordinate>> holed{FineRing(1150, 2050, 90, 40000)};
    for (int i = 0; i < 24; ++i) holed.push_back(Square(1080 + (i % 8) * 18, 2015 + (i / 8) * 25, 8));
    const QColor magenta(255, 0, 255), green(0, 160, 0);
    AddPolygon(holed, host::FillStyle::Solid, magenta, 1);
    AddPolygon({FineRing(1250, 2050, 200, 30000)}, host::FillStyle::Hollow, green, 3);
    std::vector<std::vector<host::Coordinate>> stars;
    for (int i = 0; i < 12; ++i) stars.push_back(Star(925 + i * 48, 1925, 6 + i, 3 + i % 5, i % 2 == 0));
    const QColor blue(0, 0, 200);
    AddPolygon(stars, host::FillStyle::Hollow, blue, 2);
    AddPolygon({Square(1380.2, 2020.2, 0.3)}, host::FillStyle::Solid, magenta, 1);

    const QImage drawn = Draw().convertToFormat(QImage::Format_RGB32);
    const QImage plain = PlainDrawing(renderer_, *document_->FocusMap(), *Parcels(), QSize(600, 300))
                             .convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(Unmatched(drawn, plain), 0);
    EXPECT_EQ(Unmatched(plain, drawn), 0);
    // The same widths: as many pixels of each colour, give or take the edges.
    for (const QColor& color : {magenta, green, blue, MapRenderer::SelectionColor()}) {
        const auto expected = static_cast<double>(CountNear(plain, color.rgb()));
        EXPECT_GT(expected, 300) << color.name().toStdString();
        EXPECT_NEAR(static_cast<double>(CountNear(drawn, color.rgb())), expected, expected / 50)
            << color.name().toStdString();
    }
    EXPECT_TRUE(Near(drawn.pixel(1380 - 900, 2200 - 2021), magenta.rgb(), 64)) << "the sub-pixel shape's dot";
}

TEST(HighlightPicture, DrawnInBandsAsEachRingOutlinedWhole) {
    // A fine ring with 40 square holes across every band, and enough small stars and squares
    // of every size, both ways round, to draw the highlight on several threads.
    auto shapes = std::make_shared<desktop::ClassShapes>();
    std::vector<std::vector<host::Coordinate>> holed{FineRing(300, 150, 140, 30000)};
    for (int i = 0; i < 40; ++i) holed.push_back(Square(190 + (i % 10) * 22, 60 + (i / 10) * 45, 9 + i % 5));
    shapes->shapes.push_back(desktop::ShapeOf(host::Polygon::FromRings(holed)));
    for (int i = 0; i < 3000; ++i) {
        const double x = 5 + (i % 100) * 5.9, y = 5 + (i / 100) * 9.7;
        shapes->shapes.push_back(desktop::ShapeOf(host::Polygon::FromRings(
            {i % 3 == 0 ? Square(x, y, 1 + i % 7) : Star(x, y, 3 + i % 6, 3 + i % 4, i % 2 == 0)})));
    }
    LayerScene scene;
    scene.highlight = true;
    scene.layers = {shapes};
    scene.selected.emplace_back();
    for (std::size_t i = 0; i < shapes->shapes.size(); ++i) scene.selected[0].push_back(i);
    scene.size = QSize(600, 300);
    scene.transform = ViewTransform(QRectF(0, 0, 600, 300), QSizeF(scene.size));
    scene.shapesInView = shapes->shapes.size();
    ASSERT_GT(desktop::ThreadsFor(scene.Cost(), 2500), 1);

    QImage drawn(scene.size, QImage::Format_RGB32), plain(scene.size, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    plain.fill(Qt::white);
    QPainter(&drawn).drawImage(0, 0, MapRenderer::Picture(scene));
    QPainter painter(&plain);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(MapRenderer::SelectionColor(), 2));
    for (const desktop::FeatureShape& shape : shapes->shapes)
        for (const desktop::ShapePart& part : shape.parts)
            painter.drawPolygon(scene.transform.Matrix().map(part.vertices), Qt::OddEvenFill);
    painter.end();
    EXPECT_EQ(Unmatched(drawn, plain), 0);
    EXPECT_EQ(Unmatched(plain, drawn), 0);
    const auto expected = static_cast<double>(CountNear(plain, MapRenderer::SelectionColor().rgb()));
    EXPECT_NEAR(static_cast<double>(CountNear(drawn, MapRenderer::SelectionColor().rgb())), expected, expected / 50);
}

TEST_F(MapRendererTest, ASceneChangesOnlyWithWhatItShows) {
    host::Map& map = *document_->FocusMap();
    const QSize size(600, 300);
    const desktop::ViewTransform transform(desktop::ViewExtent(map), QSizeF(size));
    host::Ref<host::PolygonElement> element;
    struct Step {
        const char* what;
        std::function<void()> change;
        bool highlight;  // whether the highlight's picture is drawn again
        bool graphics;   // whether the graphics' picture is
    };
    const Step steps[] = {
        {"nothing", [] {}, false, false},
        {"a selection", [&] { Parcels()->SelectFeatures(nullptr, host::SelectionResult::New, false); }, true, false},
        {"an element", [&] { element = AddPolygon({Square(1010, 2010, 50)}, host::FillStyle::Solid, Qt::red, 1); },
         false, true},
        {"an element's geometry", [&] { element->SetGeometry(host::Polygon::FromRings({Square(1020, 2020, 9)})); },
         false, true},
        {"a refresh (a geometry changed in place)", [&] { map.Refresh(); }, false, true},
        {"the selection refreshed", [&] { map.PartialRefresh(host::ViewPhase::GeoSelection); }, false, false},
        {"a cleared selection", [&] { map.ClearSelection(); }, true, false},
    };
    LayerScene highlight = renderer_.SelectionScene(map, transform, size);
    GraphicsScene graphics = renderer_.Graphics(map, transform, size);
    for (const Step& step : steps) {
        step.change();
        const LayerScene nextHighlight = renderer_.SelectionScene(map, transform, size);
        const GraphicsScene nextGraphics = renderer_.Graphics(map, transform, size);
        EXPECT_EQ(!(nextHighlight == highlight), step.highlight) << step.what;
        EXPECT_EQ(!(nextGraphics == graphics), step.graphics) << step.what;
        highlight = nextHighlight;
        graphics = nextGraphics;
    }
    // A picture with nothing to lay over the layers is none.
    EXPECT_TRUE(MapRenderer::Picture(highlight).isNull());
}

TEST(DrawInBands, ManyThreadsDrawThePictureOfOneToTheRounding) {
    // Antialiased shapes of several widths across the bands' edges, and a copied picture.
    QImage stamp(9, 9, QImage::Format_ARGB32_Premultiplied);
    stamp.fill(QColor(30, 90, 170, 200));
    auto draw = [&stamp](QPainter& painter, const QRect&) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        for (int i = 0; i < 60; ++i) {
            const QPointF at(std::fmod(13.7 * i, 290), std::fmod(37.3 * i, 190));
            painter.setPen(QPen(QColor(255, 0, 255), 0.5 + i % 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(i % 3 == 0 ? QBrush(Qt::cyan) : QBrush(Qt::NoBrush));
            painter.drawPolygon(QPolygonF({at, at + QPointF(40.3, 7.1), at + QPointF(11.9, 33.6)}));
            painter.drawImage(at + QPointF(3.5, -4.5), stamp);
        }
    };
    QImage one(300, 200, QImage::Format_ARGB32_Premultiplied);
    one.fill(Qt::transparent);
    desktop::DrawInBands(one, 1, draw);
    for (int threads : {2, 3, 8}) {
        QImage many(one.size(), one.format());
        many.fill(Qt::transparent);
        desktop::DrawInBands(many, threads, draw);
        // Lines clipped at a band's edge may round a pixel's coverage differently.
        int largest = 0;
        for (int y = 0; y < one.height(); ++y)
            for (int x = 0; x < one.width(); ++x)
                for (int shift : {0, 8, 16, 24})
                    largest = std::max(largest, std::abs(static_cast<int>((many.pixel(x, y) >> shift) & 0xFF) -
                                                         static_cast<int>((one.pixel(x, y) >> shift) & 0xFF)));
        EXPECT_LE(largest, 4) << threads << " threads";
    }
}

}  // namespace
}  // namespace desktop_test
