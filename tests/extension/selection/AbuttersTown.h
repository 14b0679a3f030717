#pragma once
// A small town made in memory for the selection and pipeline tests, and the headless
// fixture that makes it the current map document.
//
//   y 300..400   Q1 Q2 Q3 Q4 Q5 Q6        squares 100 wide from x = 0
//   y 200        MAIN ST (x -50 .. 650)    a hydrant at (50, 150), a well pair at y 150
//   y 0..100     P1 P2 P3 P4 P5 P6
//   x 1000..1100 BOW: a bow-tie (invalid), two lobes; one parcel has no geometry;
//   x 2000..2100 SPIKE: a square with a zero-area spike out to x 1900 (invalid).
//
// Parcels: OBJECTID, Shape, PARCEL_ID (text), OWNER (text), LAND_AREA (double),
// YEAR_BUILT (integer), ROOMS (small integer), SOLD (date), KEY (GUID).

#include <algorithm>
#include <string>
#include <vector>

#include "extension/command/Globals.h"
#include "host/carto/ActiveView.h"
#include "host/carto/BasicGraphicsLayer.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/GroupLayer.h"
#include "host/carto/LineElement.h"
#include "host/carto/Map.h"
#include "host/carto/MarkerElement.h"
#include "host/carto/MxDocument.h"
#include "host/carto/PolygonElement.h"
#include "host/data/FeatureClass.h"
#include "host/data/Fields.h"
#include "host/data/SelectionSet.h"
#include "host/framework/Application.h"
#include "host/geometry/Geometry.h"
#include "tests/host/carto/CartoTestData.h"
#include "tests/support/HeadlessTest.h"

namespace abutters_test {

// A square 100 wide with its lower left corner at (x, y).
inline std::string Square(int x, int y) {
    auto at = [](int px, int py) { return std::to_string(px) + " " + std::to_string(py); };
    return "POLYGON((" + at(x, y) + "," + at(x + 100, y) + "," + at(x + 100, y + 100) + "," + at(x, y + 100) + "," +
           at(x, y) + "))";
}

// Object ids: P1..P6 are 1..6, Q1..Q6 are 7..12, BOW 13, NOSHAPE 14, SPIKE 15.
inline host::Ref<host::FeatureClass> MakeParcels() {
    namespace type = host::FieldType;
    auto parcels = host::New<host::FeatureClass>("Parcels",
                                                 carto_test::MakeFields({{"OBJECTID", type::OID},
                                                                         {"Shape", type::Geometry},
                                                                         {"PARCEL_ID", type::String},
                                                                         {"OWNER", type::String},
                                                                         {"LAND_AREA", type::Double},
                                                                         {"YEAR_BUILT", type::Integer},
                                                                         {"ROOMS", type::SmallInteger},
                                                                         {"SOLD", type::Date},
                                                                         {"KEY", type::GUID}}),
                                                 0, 1, host::GeometryTypeCode::Polygon, nullptr);
    const std::vector<std::string> owners = {"O'BRIEN", "SMITH", "", "smith", "O''BRIEN", "JONES"};
    for (std::int64_t oid = 1; oid <= 12; ++oid) {
        const auto i = static_cast<std::size_t>((oid - 1) % 6);
        parcels->AddFeature(
            {host::Value(oid), host::Value(), host::Value((oid <= 6 ? "P" : "Q") + std::to_string(i + 1)),
             oid <= 6 ? host::Value(owners[i]) : host::Value(), host::Value(10000.0 + static_cast<double>(oid) / 2),
             host::Value(1990 + oid), host::Value(static_cast<int>(oid % 3)),
             host::Value(host::Date{2001, 2, 3, 0, 0, 0}), host::Value("{0}")},
            host::Geometry::FromWkt(Square(static_cast<int>(i) * 100, oid <= 6 ? 0 : 300))->Geos());
    }
    // A bow-tie, a parcel without a shape and a square with a zero-area spike: the last two
    // polygons are invalid.
    const std::pair<const char*, const char*> odd[] = {
        {"BOW", "POLYGON((1000 0,1100 100,1100 0,1000 100,1000 0))"},
        {"NOSHAPE", ""},
        {"SPIKE", "POLYGON((2000 0,2100 0,2100 100,2000 100,2000 50,1900 50,2000 50,2000 0))"}};
    std::int64_t oid = 13;
    for (const auto& [id, wkt] : odd)
        parcels->AddFeature({host::Value(oid++), host::Value(), host::Value(id), host::Value(), host::Value(),
                             host::Value(), host::Value(), host::Value(), host::Value()},
                            *wkt ? host::Geometry::FromWkt(wkt)->Geos() : host::GeosGeometry());
    return parcels;
}

using carto_test::MakeClass;
using carto_test::MakeLayer;

// A group layer of this name holding the layers.
inline host::Ref<host::GroupLayer> Group(const char* name, std::initializer_list<host::Ref<host::Layer>> layers) {
    auto group = host::New<host::GroupLayer>();
    group->SetName(name);
    for (const auto& layer : layers) group->Add(layer);
    return group;
}

// Each element as the tests compare it:
//   "polygon fill=1 255,0,255 outline=3 style=0 255,0,255", "line style=0 width=2 255,0,255",
//   "marker style=0 size=15 255,0,255" (a "+" after a width or size that is not whole).
inline std::vector<std::string> Describe(const std::vector<host::Ref<host::Element>>& elements) {
    auto number = [](double v) { return std::to_string(static_cast<int>(v)) + (v == static_cast<int>(v) ? "" : "+"); };
    auto code = [](auto style) { return std::to_string(static_cast<long>(style)); };
    auto rgb = [](const host::Ref<host::RgbColor>& c) {
        return std::to_string(c->Red()) + "," + std::to_string(c->Green()) + "," + std::to_string(c->Blue());
    };
    std::vector<std::string> out;
    for (const auto& element : elements) {
        if (host::Is<host::PolygonElement>(element)) {
            auto fill = host::As<host::PolygonElement>(element)->Symbol();
            auto outline = fill->Outline();
            out.push_back("polygon fill=" + code(fill->Style()) + " " + rgb(fill->Color()) + " outline=" +
                          number(outline->Width()) + " style=" + code(outline->Style()) + " " + rgb(outline->Color()));
        } else if (host::Is<host::LineElement>(element)) {
            auto line = host::As<host::LineElement>(element)->Symbol();
            out.push_back("line style=" + code(line->Style()) + " width=" + number(line->Width()) + " " +
                          rgb(line->Color()));
        } else {
            auto marker = host::As<host::MarkerElement>(element)->Symbol();
            out.push_back("marker style=" + code(marker->Style()) + " size=" + number(marker->Size()) + " " +
                          rgb(marker->Color()));
        }
    }
    return out;
}

// Where the layers stand in the map.
enum class Layout {
    Flat,           // Parcels, Streets, Hydrants, Wells at the top level
    Grouped,        // Parcels; group "Infrastructure" holding Streets, Hydrants and Wells
    ParcelsGrouped  // group "Land" holding Parcels; Streets, Hydrants, Wells at the top level
};

// The headless fixture with the town as the current document of a host application.
class TownTest : public support::HeadlessTest {
protected:
    void SetUp() override {
        support::HeadlessTest::SetUp();
        SetIdentity();
        MakeTown(Layout::Flat);
    }

    void MakeTown(Layout layout) {
        namespace GeometryTypeCode = host::GeometryTypeCode;
        parcels = MakeLayer("Parcels", MakeParcels());
        streets = MakeLayer("Streets", MakeClass("Streets", GeometryTypeCode::Polyline,
                                                 {{"MAIN ST", "LINESTRING(-50 200,650 200)"},
                                                  {"SIDE ST", "LINESTRING(700 -100,700 500)"}}));
        hydrants = MakeLayer("Hydrants", MakeClass("Hydrants", GeometryTypeCode::Point, {{"H1", "POINT(50 150)"}}));
        wells = MakeLayer(
            "Wells", MakeClass("Wells", GeometryTypeCode::Multipoint, {{"W1", "MULTIPOINT((250 150),(350 150))"}}));
        document = host::New<host::MxDocument>();
        map = document->FocusMap();
        if (layout == Layout::ParcelsGrouped)
            map->AddLayer(Group("Land", {parcels}));
        else
            map->AddLayer(parcels);
        if (layout == Layout::Grouped)
            map->AddLayer(Group("Infrastructure", {streets, hydrants, wells}));
        else
            for (const auto& layer : {streets, hydrants, wells}) map->AddLayer(layer);
        application = host::New<host::Application>();
        application->SetDocument(document);
        gApplication = application;
        gMxDocument = document;
    }

    host::Ref<host::Application> application;
    host::Ref<host::MxDocument> document;
    host::Ref<host::Map> map;
    host::Ref<host::FeatureLayer> parcels, streets, hydrants, wells;
};

}  // namespace abutters_test
