// The Abutters routines on the small town: where clauses by field type, layer lookups,
// spatial selection, the magenta elements and the buffer bag.
#include "extension/selection/Abutters.h"

#include <cmath>

#include "host/data/Feature.h"
#include "host/data/FeatureCursor.h"
#include "host/geometry/GeometryBag.h"
#include "host/geometry/Point.h"
#include "host/geometry/Polygon.h"
#include "tests/extension/selection/AbuttersTown.h"

namespace {

using abutters_test::TownTest;
using Ids = std::vector<long>;
using Texts = std::vector<std::string>;

constexpr const char* kNotCertain = "Sorry...  Field type not certain... Can't perform query";

TEST_F(TownTest, SelectFeaturesBuildsTheClauseFromTheFieldType) {
    // The parcels selected afterwards, and the one box shown ("" none; "report" an error report).
    const struct {
        const char* field;
        const char* value;
        Ids selected;
        std::string message;
    } cases[] = {
        {"parcel_id", "Q1", {7}, ""},    // field named in another case
        {"OWNER", "O'BRIEN", {1}, ""},   // a quote inside the text
        {"OWNER", "O''BRIEN", {5}, ""},  // two quotes are two quotes, not one
        {"OWNER", "", {3}, ""},          // empty text, not Null
        {"OWNER", "SMITH", {2}, ""},     // text compares exactly
        {"LAND_AREA", "10000.5", {1}, ""},
        {"ROOMS", "0", {3, 6, 9, 12}, ""},
        {"YEAR_BUILT", "", {}, kNotCertain},
        {"SOLD", "2/3/2001", {}, "Sorry, Date queries are not yet supported."},
        {"Shape", "x", {}, "Sorry... Can't query a Geometry field"},
        {"YEAR_BUILT", "abc", {}, "report"},  // rejected by the host before anything changes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " = " + c.value);
        Select(parcels, {});
        Select(streets, {1});
        host::Ref<host::FeatureCursor> cursor = SelectFeaturesOLD("Parcels", c.field, c.value, 1);
        Texts shown;  // an error report of the routine as "report"
        for (const std::string& text : TakeMessages())
            shown.push_back(text.find("MODULE: SelectFeaturesOLD Abutters \r\n") != std::string::npos ? "report"
                                                                                                      : text);
        EXPECT_EQ(shown, c.message.empty() ? Texts{} : Texts{c.message});
        EXPECT_EQ(Selected(parcels), c.selected);
        EXPECT_EQ(Selected(streets), c.message.empty() ? Ids{} : Ids{1})
            << "mode 1 clears every layer; a refused query leaves the selection as it was";
        if (!c.message.empty()) {
            EXPECT_TRUE(cursor.IsNothing());
            continue;
        }
        Ids walked;
        for (auto f = cursor->NextFeature(); f; f = cursor->NextFeature()) walked.push_back(f->OID());
        EXPECT_EQ(walked, c.selected);
    }
}

TEST_F(TownTest, RoutinesFindTheirLayerAsFindLayerDoes) {
    // One level into group layers, case ignored, the last match wins; a group layer bearing
    // the name is not itself a candidate, nor is a layer two groups deep.
    const auto square = host::Geometry::FromWkt(abutters_test::Square(0, 0));
    auto twin = abutters_test::MakeLayer("PARCELS", abutters_test::MakeParcels());
    auto grouped = abutters_test::MakeLayer("parcels", abutters_test::MakeParcels());
    auto deep = abutters_test::MakeLayer("Parcels", abutters_test::MakeParcels());
    map->AddLayer(twin);
    map->AddLayer(abutters_test::Group("Parcels", {grouped, abutters_test::Group("Deeper", {deep})}));
    SelectFeaturesOLD("Parcels", "PARCEL_ID", "P2", 1);
    SelectWithinPolyOLD("Parcels", square, 2);
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(Selected(grouped), (Ids{1, 2}));
    for (const auto& other : {parcels, twin, deep}) EXPECT_TRUE(Selected(other).empty());

    // A name no feature layer bears: the query's own message; the spatial selection reports.
    SelectFeaturesOLD("Deeper", "PARCEL_ID", "P3", 1);
    SelectWithinPolyOLD("Deeper", square, 2);
    ASSERT_FALSE(Messages().Texts().empty());
    EXPECT_EQ(Messages().Texts().front(), "Feature Not Found");
    EXPECT_EQ(ReportModules(), Texts{"SelectWithinPolyOLD Abutters "});
    EXPECT_EQ(Selected(grouped), (Ids{1, 2}));
}

TEST_F(TownTest, SelectWithinPolyAddsContainedOrIntersectingFeatures) {
    const auto box = host::Geometry::FromWkt("POLYGON((-10 -10,210 -10,210 110,-10 110,-10 -10))");
    const auto rightLobe = host::Geometry::FromWkt("POLYGON((1080 45,1090 45,1090 55,1080 55,1080 45))");
    Select(parcels, {9});
    SelectWithinPolyOLD("Parcels", box, 1);
    EXPECT_EQ(Selected(parcels), (Ids{1, 2, 9})) << "contained only, nothing cleared";
    SelectWithinPolyOLD("Parcels", box, 2);
    EXPECT_EQ(Selected(parcels), (Ids{1, 2, 3, 9})) << "P3 touches the box";
    SelectWithinPolyOLD("Parcels", rightLobe, 2);
    EXPECT_EQ(Selected(parcels), (Ids{1, 2, 3, 9, 13})) << "the bow-tie's lost lobe counts";
    EXPECT_EQ(document->ActiveView()->RefreshCount(), 0) << "only the selection is redrawn";
}

TEST_F(TownTest, DrawingRoutinesAddOneMagentaElementEach) {
    const auto square = host::Geometry::FromWkt(abutters_test::Square(0, 0));
    auto view = document->ActiveView();
    DrawFilledPolygonOLD(square);
    DrawFilledPolyLineOLD(host::Geometry::FromWkt("LINESTRING(0 0,10 10)"));
    DrawFilledPointOLD(host::Geometry::FromWkt("POINT(5 5)"));
    EXPECT_EQ(view->RefreshCount(), 0) << "the first three do not redraw";
    DrawPolygonOLD(square);
    DrawPolygonOLD(square);
    const std::string outline = "polygon fill=1 255,0,255 outline=3 style=0 255,0,255";
    EXPECT_EQ(abutters_test::Describe(view->Elements()),
              (Texts{"polygon fill=0 255,0,255 outline=1 style=0 255,0,255", "line style=0 width=2 255,0,255",
                     "marker style=0 size=15 255,0,255", outline, outline}));

    // A geometry of the wrong kind fails into the report before anything is added.
    DrawFilledPolygonOLD(host::Geometry::FromWkt("POINT(1 1)"));
    DrawFilledPointOLD(square);
    EXPECT_EQ(ReportModules(), (Texts{"DrawFilledPolygonOLD Abutters ", "DrawFilledPointOLD Abutters "}));
    EXPECT_EQ(view->ElementCount(), 5);
}

TEST_F(TownTest, BufferPolysBuffersTheWholeMapSelectionInOrder) {
    EXPECT_TRUE(BufferPolysOLD(10, "none").IsNothing());
    EXPECT_EQ(TakeMessages(), Texts{"Sorry... No features found"});

    Select(hydrants, {1});
    Select(parcels, {2, 13, 14, 15});
    Select(wells, {1});
    host::Ref<host::GeometryBag> bag = BufferPolysOLD(10, "none");
    ASSERT_EQ(bag->GeometryCount(), 6);
    auto inside = [&](long member, double x, double y) {
        return bag->Geometry(member)->Contains(host::New<host::Point>(x, y));
    };
    EXPECT_TRUE(inside(0, 150, 105));                         // P2, parcels first
    EXPECT_TRUE(inside(1, 1010, 50) && inside(1, 1090, 50));  // both lobes of the bow-tie
    EXPECT_TRUE(bag->Geometry(2)->IsEmpty());                 // the parcel without a shape
    EXPECT_TRUE(inside(3, 1892, 50) && inside(3, 2105, 50));  // the spike's tip and the square
    EXPECT_TRUE(inside(4, 50, 158));                          // then the hydrant
    EXPECT_TRUE(inside(5, 250, 150) && inside(5, 350, 150));  // the multipoint last

    // A failing buffer drops what was made so far.
    EXPECT_TRUE(BufferPolysOLD(std::nan(""), "none").IsNothing());
    EXPECT_EQ(ReportModules(), Texts{"BufferPolysOLD Abutters "});
}

}  // namespace
