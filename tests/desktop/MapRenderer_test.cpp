// Drawing the active view: the fit of an extent into pixels, the layers with their plain
// symbols and visibility, and the graphic elements' own symbols.
#include "host/carto/LineElement.h"
#include "host/carto/MarkerElement.h"
#include "host/carto/PolygonElement.h"
#include "host/geometry/Point.h"
#include "host/geometry/Polygon.h"
#include "host/geometry/Polyline.h"
#include "tests/desktop/DesktopTest.h"

namespace desktop_test {
namespace {

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

}  // namespace
}  // namespace desktop_test
