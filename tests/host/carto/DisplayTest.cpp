#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "host/carto/LineElement.h"
#include "host/carto/MarkerElement.h"
#include "host/carto/PolygonElement.h"
#include "host/carto/RgbColor.h"
#include "host/carto/SimpleFillSymbol.h"
#include "host/carto/SimpleLineSymbol.h"
#include "host/carto/SimpleMarkerSymbol.h"
#include "host/geometry/Geometry.h"
#include "tests/host/carto/CartoTestData.h"
#include "tests/support/ErrorOf.h"

namespace {

using support::ErrorOf;
using host::New;
using host::Ref;

TEST(RgbColor, LongFormHasRedInTheLowestByte) {
    struct Case {
        std::int32_t rgb;
        int red, green, blue;
    };
    const Case cases[] = {
        {0, 0, 0, 0},         {255, 255, 0, 0},          {0xFF00, 0, 255, 0},
        {0xFF0000, 0, 0, 255}, {0xFF00FF, 255, 0, 255},  {0xFFFFFF, 255, 255, 255},
        {0x123456, 0x56, 0x34, 0x12},
    };
    for (const Case& c : cases) {
        host::RgbColor color;
        color.SetRGB(c.rgb);
        EXPECT_EQ(color, host::RgbColor(c.red, c.green, c.blue)) << c.rgb;
        EXPECT_EQ(host::RgbColor(c.red, c.green, c.blue).RGB(), c.rgb);
    }
    host::RgbColor color;
    for (std::int32_t bad : {-1, 0x1000000}) EXPECT_EQ(ErrorOf([&] { color.SetRGB(bad); }), 5) << bad;
    for (int bad : {-1, 256}) {
        EXPECT_EQ(ErrorOf([&] { color.SetRed(bad); }), 5);
        EXPECT_EQ(ErrorOf([&] { color.SetBlue(bad); }), 5);
    }
    EXPECT_EQ(color.RGB(), 0) << "a refused part leaves the colour as it was";
}

TEST(Symbols, DefaultsChecksAndValueSemantics) {
    host::SimpleLineSymbol line;
    EXPECT_EQ(line.Style(), host::LineStyle::Solid);
    EXPECT_EQ(line.Width(), 1.0);
    EXPECT_EQ(line.Color()->RGB(), 0);
    for (double bad : {-0.5, std::nan(""), HUGE_VAL}) EXPECT_EQ(ErrorOf([&] { line.SetWidth(bad); }), 5);
    EXPECT_EQ(ErrorOf([&] { line.SetStyle(static_cast<host::LineStyle>(7)); }), 5);

    // Colours and outlines are copied in and out: changing one afterwards changes nothing.
    auto magenta = New<host::RgbColor>(255, 0, 255);
    line.SetColor(magenta);
    magenta->SetGreen(200);
    line.Color()->SetBlue(0);
    EXPECT_EQ(*line.Color(), host::RgbColor(255, 0, 255));

    host::SimpleFillSymbol fill;
    EXPECT_EQ(fill.Style(), host::FillStyle::Solid);
    ASSERT_FALSE(fill.Outline().IsNothing());
    auto outline = New<host::SimpleLineSymbol>();
    outline->SetWidth(3.0);
    fill.SetOutline(outline);
    outline->SetWidth(9.0);
    EXPECT_EQ(fill.Outline()->Width(), 3.0);
    fill.SetOutline(nullptr);
    EXPECT_TRUE(fill.Outline().IsNothing());
    fill.SetStyle(host::FillStyle::Hollow);
    EXPECT_EQ(static_cast<long>(fill.Style()), 1);

    host::SimpleMarkerSymbol marker;
    EXPECT_EQ(marker.Style(), host::MarkerStyle::Circle);
    EXPECT_EQ(ErrorOf([&] { marker.SetSize(-1); }), 5);
    marker.SetSize(15.0);
    EXPECT_EQ(marker.Size(), 15.0);
}

TEST(Elements, TakeOnlyTheirKindOfGeometry) {
    Ref<host::Geometry> polygon = host::Geometry::FromWkt("POLYGON((0 0,1 0,1 1,0 0))");
    Ref<host::Geometry> line = host::Geometry::FromWkt("LINESTRING(0 0,1 1)");
    Ref<host::Geometry> point = host::Geometry::FromWkt("POINT(1 1)");

    struct Case {
        Ref<host::Element> element;
        Ref<host::Geometry> fits;
    };
    const Case cases[] = {{New<host::PolygonElement>(), polygon},
                          {New<host::LineElement>(), line},
                          {New<host::MarkerElement>(), point}};
    for (const Case& c : cases) {
        for (const Ref<host::Geometry>& geometry : {polygon, line, point}) {
            long error = ErrorOf([&] { c.element->SetGeometry(geometry); });
            EXPECT_EQ(error, geometry == c.fits ? 0 : 13) << c.element->Kind() << " given " << geometry->ToWkt();
        }
        EXPECT_EQ(c.element->Geometry(), c.fits) << "a refused geometry leaves the element as it was";
        c.element->SetGeometry(nullptr);
        EXPECT_TRUE(c.element->Geometry().IsNothing());
    }
    EXPECT_TRUE(host::Is<host::FillShapeElement>(cases[0].element));
    EXPECT_FALSE(host::Is<host::FillShapeElement>(cases[1].element));
}

}  // namespace
