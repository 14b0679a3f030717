// Drawing the active view: the fit of an extent into pixels, the layers with their plain
// symbols and visibility, the selection highlight and the graphic elements' own symbols.
#include <QPainter>

#include <cmath>

#include "app/desktop/MapRenderer.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/GroupLayer.h"
#include "host/carto/LineElement.h"
#include "host/carto/Map.h"
#include "host/carto/MapDocumentFile.h"
#include "host/carto/MarkerElement.h"
#include "host/carto/MxDocument.h"
#include "host/carto/PolygonElement.h"
#include "host/data/QueryFilter.h"
#include "host/data/SelectionSet.h"
#include "host/geometry/Envelope.h"
#include "host/geometry/Point.h"
#include "host/geometry/Polygon.h"
#include "host/geometry/Polyline.h"
#include "tests/desktop/DesktopTest.h"

namespace desktop_test {
namespace {

using desktop::MapRenderer;
using desktop::ViewTransform;

TEST(ViewTransform, FitsTheExtentKeepingItsProportionsAndCentresIt) {
    struct Case {
        QRectF extent;
        QSizeF pixels;
        double scale;
        QPointF lowerLeftAt;  // where the extent's lower left corner lands
    };
    const Case cases[] = {
        {{900, 1900, 600, 300}, {600, 300}, 1.0, {0, 300}},
        {{900, 1900, 600, 300}, {600, 600}, 1.0, {0, 450}},      // taller area: centred vertically
        {{0, 0, 100, 400}, {800, 400}, 1.0, {350, 400}},         // wider area: centred horizontally
        {{-50, -50, 100, 100}, {200, 200}, 2.0, {0, 200}},
    };
    for (const Case& c : cases) {
        const ViewTransform t(c.extent, c.pixels);
        ASSERT_TRUE(t.IsValid());
        EXPECT_DOUBLE_EQ(t.Scale(), c.scale);
        const QPointF corner = t.ToPixels(c.extent.topLeft());
        EXPECT_NEAR(corner.x(), c.lowerLeftAt.x(), 1e-9);
        EXPECT_NEAR(corner.y(), c.lowerLeftAt.y(), 1e-9);
        for (QPointF p : {QPointF(3, 7), QPointF(123.5, -40.25), c.extent.center()}) {
            const QPointF back = t.ToMap(t.ToPixels(p));
            EXPECT_NEAR(back.x(), p.x(), 1e-9);
            EXPECT_NEAR(back.y(), p.y(), 1e-9);
            EXPECT_EQ(t.Matrix().map(p), t.ToPixels(p));
        }
    }
    for (const auto& [extent, pixels] : {std::pair{QRectF(), QSizeF(10, 10)}, std::pair{QRectF(0, 0, 10, 10), QSizeF(0, 10)},
                                          std::pair{QRectF(0, 0, 0, 10), QSizeF(10, 10)}})
        EXPECT_FALSE(ViewTransform(extent, pixels).IsValid());
}

class MapRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        document_ = host::MapDocumentFile::Open(SmallMap());
        map_ = document_->FocusMap();
    }

    // The small map drawn at one pixel a foot: map (x, y) lies at pixel (x - 900, 2200 - y).
    QImage Draw() { return renderer_.RenderImage(*map_, QSize(600, 300)); }
    static QRgb At(const QImage& image, double x, double y) {
        return image.pixel(static_cast<int>(x - 900), static_cast<int>(2200 - y)) & 0xFFFFFFu;
    }
    host::Ref<host::FeatureLayer> Parcels() const { return host::As<host::FeatureLayer>(map_->Layer(0)); }
    host::Ref<host::GroupLayer> Infrastructure() const { return host::As<host::GroupLayer>(map_->Layer(1)); }

    host::Ref<host::MxDocument> document_;
    host::Ref<host::Map> map_;
    MapRenderer renderer_;
};

TEST_F(MapRendererTest, ViewExtentIsTheViewsOwnOrElseTheMapsFullExtent) {
    EXPECT_EQ(desktop::ViewExtent(*map_), QRectF(900, 1900, 600, 300));
    auto empty = host::New<host::Map>();
    EXPECT_TRUE(desktop::ViewExtent(*empty).isNull());
    empty->AddLayer(map_->Layer(0));
    EXPECT_EQ(desktop::ViewExtent(*empty), QRectF(1000, 2000, 400, 100)) << "a map without an extent shows all of itself";
    // A view that is not a map shows only its extent.
    host::ActiveView plain;
    EXPECT_TRUE(desktop::ViewExtent(plain).isNull());
}

TEST_F(MapRendererTest, LayersDrawWithPlainSymbolsAndOnlyWhenShown) {
    const QRgb fill = MapRenderer::PolygonFill().rgb() & 0xFFFFFFu;
    const QRgb point = MapRenderer::PointColor().rgb() & 0xFFFFFFu;
    QImage image = Draw();
    EXPECT_EQ(At(image, 1050, 2050), fill);
    EXPECT_EQ(At(image, 1350, 2050), fill);
    EXPECT_EQ(At(image, 950, 1950), 0xFFFFFFu) << "no parcel there";
    EXPECT_EQ(CountPixels(image, point), 0) << "the hydrants are hidden";

    host::Ref<host::Layer> hydrants = Infrastructure()->Layer(0);
    hydrants->SetVisible(true);
    image = Draw();
    EXPECT_EQ(At(image, 1050, 2150), point);
    EXPECT_EQ(At(image, 1250, 2150), point);

    Infrastructure()->SetVisible(false);  // a hidden group hides its members
    EXPECT_EQ(CountPixels(Draw(), point), 0);
    Parcels()->SetVisible(false);
    EXPECT_EQ(CountPixels(Draw(), fill), 0);
}

TEST_F(MapRendererTest, SelectedFeaturesAreHighlighted) {
    const QRgb cyan = MapRenderer::SelectionColor().rgb() & 0xFFFFFFu;
    EXPECT_EQ(CountPixels(Draw(), cyan), 0);
    auto filter = host::New<host::QueryFilter>();
    filter->SetWhereClause("Parcels.PARCEL_ID = '1-002'");
    Parcels()->SelectFeatures(filter, host::SelectionResult::New, false);
    const QImage image = Draw();
    EXPECT_GT(CountPixels(image, cyan), 300) << "the outline of a 100 foot square";
    EXPECT_EQ(At(image, 1150, 2050), MapRenderer::PolygonFill().rgb() & 0xFFFFFFu) << "the inside keeps its fill";
    EXPECT_EQ(CountPixelsIn(image, cyan, QRect(195, 95, 111, 111), true), 0) << "nothing else is highlighted";
}

TEST_F(MapRendererTest, ElementsDrawWithTheirOwnSymbols) {
    auto color = [](int r, int g, int b) { return host::New<host::RgbColor>(r, g, b); };
    auto square = host::Polygon::FromRings({{{1020, 2020}, {1080, 2020}, {1080, 2080}, {1020, 2080}}});
    // A hollow square with a green outline 6 points wide.
    auto hollow = [&] {
        auto e = host::New<host::PolygonElement>();
        e->SetGeometry(square);
        auto s = host::New<host::SimpleFillSymbol>();
        s->SetStyle(host::FillStyle::Hollow);
        auto outline = host::New<host::SimpleLineSymbol>();
        outline->SetWidth(6);
        outline->SetColor(color(0, 128, 0));
        s->SetOutline(outline);
        e->SetSymbol(s);
        return host::Ref<host::Element>(e);
    };
    struct Case {
        const char* what;
        std::function<host::Ref<host::Element>()> make;
        QPointF probe;  // map point
        QRgb expected;
    };
    const Case cases[] = {
        {"solid fill", [&] {
             auto e = host::New<host::PolygonElement>();
             e->SetGeometry(square);
             auto s = host::New<host::SimpleFillSymbol>();
             s->SetColor(color(255, 0, 0));
             e->SetSymbol(s);
             return host::Ref<host::Element>(e);
         }, {1050, 2050}, 0xFF0000},
        {"hollow fill keeps what lies beneath", hollow, {1050, 2050}, MapRenderer::PolygonFill().rgb() & 0xFFFFFFu},
        {"the hollow fill's outline", hollow, {1020, 2050}, 0x008000},
        {"wide line", [&] {
             auto e = host::New<host::LineElement>();
             e->SetGeometry(host::Polyline::FromPaths({{{950, 1950}, {1450, 1950}}}));
             auto s = host::New<host::SimpleLineSymbol>();
             s->SetWidth(6);
             s->SetColor(color(0, 0, 255));
             e->SetSymbol(s);
             return host::Ref<host::Element>(e);
         }, {1200, 1951}, 0x0000FF},
        {"square marker", [&] {
             auto e = host::New<host::MarkerElement>();
             e->SetGeometry(host::New<host::Point>(1470, 2170));
             auto s = host::New<host::SimpleMarkerSymbol>();
             s->SetStyle(host::MarkerStyle::Square);
             s->SetSize(15);
             s->SetColor(color(255, 0, 255));
             e->SetSymbol(s);
             return host::Ref<host::Element>(e);
         }, {1476, 2176}, 0xFF00FF},
    };
    for (const Case& c : cases) {
        map_->DeleteAllElements();
        map_->AddElement(c.make(), 0);
        const QImage image = Draw();
        EXPECT_EQ(At(image, c.probe.x(), c.probe.y()), c.expected) << c.what;
    }
    // Elements draw over the selection, in the order they were added.
    map_->DeleteAllElements();
    map_->AddElement(cases[0].make(), 0);
    map_->AddElement(cases[2].make(), 0);
    EXPECT_EQ(At(Draw(), 1050, 2050), 0xFF0000u);
}

}  // namespace
}  // namespace desktop_test
