#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "host/carto/LineElement.h"
#include "host/carto/MarkerElement.h"
#include "host/carto/PolygonElement.h"
#include "host/carto/RgbColor.h"
#include "host/carto/SimpleFillSymbol.h"
#include "host/carto/SimpleLineSymbol.h"
#include "host/geometry/Geometry.h"
#include "tests/support/ErrorOf.h"

namespace {

using host::New;
using host::Ref;
using support::ErrorOf;

TEST(RgbColor, LongFormHasRedInTheLowestByte) {
    host::RgbColor color;
    color.SetRGB(0x123456);
    EXPECT_EQ(color, host::RgbColor(0x56, 0x34, 0x12));
    EXPECT_EQ(host::RgbColor(0x56, 0x34, 0x12).RGB(), 0x123456);
    for (std::int32_t bad : {-1, 0x1000000}) EXPECT_EQ(ErrorOf([&] { color.SetRGB(bad); }), 5) << bad;
    EXPECT_EQ(ErrorOf([&] { color.SetBlue(256); }), 5);
    EXPECT_EQ(color.RGB(), 0x123456) << "a refused part leaves the colour as it was";
}

TEST(Symbols, RefuseBadWidthsAndCopyColoursAndOutlines) {
    host::SimpleLineSymbol line;
    for (double bad : {-0.5, std::nan("")}) EXPECT_EQ(ErrorOf([&] { line.SetWidth(bad); }), 5);

    // Colours and outlines are copied in and out: changing one afterwards changes nothing.
    auto magenta = New<host::RgbColor>(255, 0, 255);
    line.SetColor(magenta);
    magenta->SetGreen(200);
    EXPECT_EQ(*line.Color(), host::RgbColor(255, 0, 255));

    host::SimpleFillSymbol fill;
    auto outline = New<host::SimpleLineSymbol>();
    outline->SetWidth(3.0);
    fill.SetOutline(outline);
    outline->SetWidth(9.0);
    EXPECT_EQ(fill.Outline()->Width(), 3.0);
}

TEST(Elements, TakeOnlyTheirKindOfGeometry) {
    Ref<host::Geometry> polygon = host::Geometry::FromWkt("POLYGON((0 0,1 0,1 1,0 0))");
    Ref<host::Geometry> line = host::Geometry::FromWkt("LINESTRING(0 0,1 1)"),
                        point = host::Geometry::FromWkt("POINT(1 1)");
    struct Case {
        Ref<host::Element> element;
        Ref<host::Geometry> fits;
    };
    const Case cases[] = {
        {New<host::PolygonElement>(), polygon}, {New<host::LineElement>(), line}, {New<host::MarkerElement>(), point}};
    for (const Case& c : cases) {
        for (const Ref<host::Geometry>& geometry : {polygon, line, point}) {
            EXPECT_EQ(ErrorOf([&] { c.element->SetGeometry(geometry); }), geometry == c.fits ? 0 : 13)
                << geometry->ToWkt();
        }
        EXPECT_EQ(c.element->Geometry(), c.fits) << "a refused geometry leaves the element as it was";
    }
}

}  // namespace
