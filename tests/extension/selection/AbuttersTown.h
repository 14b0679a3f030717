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
#include "host/data/Field.h"
#include "host/data/Fields.h"
#include "host/data/SelectionSet.h"
#include "host/framework/Application.h"
#include "host/geometry/Geometry.h"
#include "tests/host/carto/CartoTestData.h"
#include "tests/support/HeadlessTest.h"

namespace abutters_test {

inline std::string Square(int x, int y) {
    const std::string x0 = std::to_string(x), x1 = std::to_string(x + 100);
    const std::string y0 = std::to_string(y), y1 = std::to_string(y + 100);
    return "POLYGON((" + x0 + " " + y0 + "," + x1 + " " + y0 + "," + x1 + " " + y1 + "," + x0 + " " + y1 + "," + x0 +
           " " + y0 + "))";
}

// Object ids: P1..P6 are 1..6, Q1..Q6 are 7..12, BOW 13, NOSHAPE 14, SPIKE 15.
inline host::Ref<host::FeatureClass> MakeParcels() {
    namespace type = host::FieldType;
    auto fields = host::New<host::Fields>();
    for (const auto& [name, code] : std::vector<std::pair<const char*, long>>{
             {"OBJECTID", type::OID}, {"Shape", type::Geometry}, {"PARCEL_ID", type::String},
             {"OWNER", type::String}, {"LAND_AREA", type::Double}, {"YEAR_BUILT", type::Integer},
             {"ROOMS", type::SmallInteger}, {"SOLD", type::Date}, {"KEY", type::GUID}})
        fields->AddField(host::New<host::Field>(name, code));
    auto parcels = host::New<host::FeatureClass>("Parcels", fields, 0, 1, host::GeometryTypeCode::Polygon, nullptr);
    const std::vector<std::string> owners = {"O'BRIEN", "SMITH", "", "smith", "O''BRIEN", "JONES"};
    std::int64_t oid = 1;
    for (int row = 0; row < 2; ++row) {
        for (int i = 0; i < 6; ++i) {
            const std::string id = std::string(row == 0 ? "P" : "Q") + std::to_string(i + 1);
            host::Value owner = row == 0 ? host::Value(owners[static_cast<std::size_t>(i)]) : host::Value();
            parcels->AddFeature({host::Value(oid), host::Value(), host::Value(id), owner,
                                 host::Value(10000.0 + static_cast<double>(oid) / 2), host::Value(1990 + oid),
                                 host::Value(static_cast<int>(oid % 3)), host::Value(host::Date{2001, 2, 3, 0, 0, 0}),
                                 host::Value("{0}")},
                                host::Geometry::FromWkt(Square(i * 100, row * 300))->Geos());
            ++oid;
        }
    }
    parcels->AddFeature({host::Value(oid++), host::Value(), host::Value("BOW"), host::Value("BOW OWNER"),
                         host::Value(5000.0), host::Value(), host::Value(1), host::Value(), host::Value()},
                        host::Geometry::FromWkt("POLYGON((1000 0,1100 100,1100 0,1000 100,1000 0))")->Geos());
    parcels->AddFeature({host::Value(oid++), host::Value(), host::Value("NOSHAPE"), host::Value(), host::Value(),
                         host::Value(), host::Value(), host::Value(), host::Value()},
                        host::GeosGeometry());
    parcels->AddFeature({host::Value(oid++), host::Value(), host::Value("SPIKE"), host::Value(), host::Value(),
                         host::Value(), host::Value(), host::Value(), host::Value()},
                        host::Geometry::FromWkt("POLYGON((2000 0,2100 0,2100 100,2000 100,2000 50,1900 50,2000 50,2000 0))")
                            ->Geos());
    return parcels;
}

using carto_test::MakeClass;
using carto_test::MakeLayer;

inline std::string Rgb(const host::Ref<host::RgbColor>& c) {
    return std::to_string(c->Red()) + "," + std::to_string(c->Green()) + "," + std::to_string(c->Blue());
}

// One element as the tests compare it:
//   "polygon fill=1 255,0,255 outline=3 style=0 255,0,255", "line style=0 width=2 255,0,255",
//   "marker style=0 size=15 255,0,255"
inline std::string Describe(const host::Ref<host::Element>& element) {
    auto number = [](double v) { return std::to_string(static_cast<int>(v)) + (v == static_cast<int>(v) ? "" : "+"); };
    if (host::Is<host::PolygonElement>(element)) {
        auto fill = host::As<host::PolygonElement>(element)->Symbol();
        auto outline = fill->Outline();
        return "polygon fill=" + std::to_string(static_cast<long>(fill->Style())) + " " + Rgb(fill->Color()) +
               " outline=" + number(outline->Width()) + " style=" + std::to_string(static_cast<long>(outline->Style())) +
               " " + Rgb(outline->Color());
    }
    if (host::Is<host::LineElement>(element)) {
        auto line = host::As<host::LineElement>(element)->Symbol();
        return "line style=" + std::to_string(static_cast<long>(line->Style())) + " width=" + number(line->Width()) +
               " " + Rgb(line->Color());
    }
    auto marker = host::As<host::MarkerElement>(element)->Symbol();
    return "marker style=" + std::to_string(static_cast<long>(marker->Style())) + " size=" + number(marker->Size()) +
           " " + Rgb(marker->Color());
}

inline std::vector<std::string> Describe(const std::vector<host::Ref<host::Element>>& elements) {
    std::vector<std::string> out;
    for (const auto& element : elements) out.push_back(Describe(element));
    return out;
}

// Where the layers stand in the map.
enum class Layout {
    Flat,          // Parcels, Streets, Hydrants, Wells at the top level
    Grouped,       // Parcels; group "Infrastructure" holding Streets, Hydrants and Wells
    ParcelsGrouped // group "Land" holding Parcels; Streets, Hydrants, Wells at the top level
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
        parcels = MakeLayer("Parcels", MakeParcels());
        streets = MakeLayer("Streets", MakeClass("Streets", host::GeometryTypeCode::Polyline,
                                                 {{"MAIN ST", "LINESTRING(-50 200,650 200)"},
                                                  {"SIDE ST", "LINESTRING(700 -100,700 500)"}}));
        hydrants = MakeLayer("Hydrants",
                             MakeClass("Hydrants", host::GeometryTypeCode::Point, {{"H1", "POINT(50 150)"}}));
        wells = MakeLayer("Wells", MakeClass("Wells", host::GeometryTypeCode::Multipoint,
                                             {{"W1", "MULTIPOINT((250 150),(350 150))"}}));
        document = host::New<host::MxDocument>();
        map = document->FocusMap();
        if (layout == Layout::ParcelsGrouped) {
            auto land = host::New<host::GroupLayer>();
            land->SetName("Land");
            land->Add(parcels);
            map->AddLayer(land);
        } else {
            map->AddLayer(parcels);
        }
        if (layout == Layout::Grouped) {
            auto group = host::New<host::GroupLayer>();
            group->SetName("Infrastructure");
            group->Add(streets);
            group->Add(hydrants);
            group->Add(wells);
            map->AddLayer(group);
        } else {
            map->AddLayer(streets);
            map->AddLayer(hydrants);
            map->AddLayer(wells);
        }
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
