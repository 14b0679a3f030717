// The loader, on small datasets written for each test: field types, values, object ids,
// geometry kinds, and files it cannot read.

#include <gtest/gtest.h>

#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <gdal.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>

#include <functional>
#include <limits>

#include "host/data/Cursor.h"
#include "host/data/DataSource.h"
#include "host/data/Feature.h"
#include "host/data/FeatureCursor.h"
#include "host/data/Row.h"
#include "host/data/SelectionSet.h"
#include "host/geometry/Envelope.h"
#include "host/geometry/SpatialReference.h"
#include "tests/host/carto/CartoTestData.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/HeadlessTest.h"

namespace {

using support::ErrorOf;

class Loader : public support::HeadlessTest {
protected:
    void SetUp() override {
        support::HeadlessTest::SetUp();
        GDALAllRegister();
        CPLPushErrorHandler(CPLQuietErrorHandler);
    }
    void TearDown() override {
        CPLPopErrorHandler();
        support::HeadlessTest::TearDown();
    }

    std::string Write(const std::string& name, const std::string& text) const {
        WriteBytes(TempRoot() / name, text);
        return (TempRoot() / name).string();
    }

    struct Field {
        const char* name;
        OGRFieldType type;
        OGRFieldSubType subtype = OFSTNone;
    };
    // One feature: its id (OGRNullFID for one the driver gives), its shape (taken over; may
    // be null) and its values as text, nullptr leaving a value Null; bytes are written in hex.
    struct Feature {
        GIntBig fid;
        OGRGeometryH shape;
        std::vector<const char*> values;
    };
    struct Layer {
        const char* name;
        OGRwkbGeometryType type;
        std::vector<Field> fields;
        std::vector<Feature> features;
        int epsg = 0;
    };
    std::string WriteGeoPackage(const std::string& name, const std::vector<Layer>& layers) const {
        std::string path = (TempRoot() / name).string();
        GDALDatasetH ds = GDALCreate(GDALGetDriverByName("GPKG"), path.c_str(), 0, 0, 0, GDT_Unknown, nullptr);
        for (const Layer& l : layers) {
            OGRSpatialReferenceH srs = l.epsg == 0 ? nullptr : OSRNewSpatialReference(nullptr);
            if (srs != nullptr) OSRImportFromEPSG(srs, l.epsg);
            OGRLayerH layer = GDALDatasetCreateLayer(ds, l.name, srs, l.type, nullptr);
            if (srs != nullptr) OSRDestroySpatialReference(srs);
            for (const Field& f : l.fields) {
                OGRFieldDefnH defn = OGR_Fld_Create(f.name, f.type);
                OGR_Fld_SetSubType(defn, f.subtype);
                OGR_L_CreateField(layer, defn, TRUE);
                OGR_Fld_Destroy(defn);
            }
            for (const Feature& entry : l.features) {
                OGRFeatureH f = OGR_F_Create(OGR_L_GetLayerDefn(layer));
                OGR_F_SetFID(f, entry.fid);
                if (entry.shape != nullptr) OGR_F_SetGeometryDirectly(f, entry.shape);
                for (std::size_t i = 0; i < entry.values.size(); ++i) {
                    const int field = static_cast<int>(i);
                    if (entry.values[i] == nullptr) continue;
                    if (l.fields[i].type != OFTBinary) {
                        OGR_F_SetFieldString(f, field, entry.values[i]);
                        continue;
                    }
                    int size = 0;
                    GByte* bytes = CPLHexToBinary(entry.values[i], &size);
                    OGR_F_SetFieldBinary(f, field, size, bytes);
                    CPLFree(bytes);
                }
                EXPECT_EQ(OGR_L_CreateFeature(layer, f), OGRERR_NONE) << l.name;
                OGR_F_Destroy(f);
            }
        }
        GDALClose(ds);
        return path;
    }

    static OGRGeometryH Wkt(const char* wkt) {
        OGRGeometryH g = nullptr;
        char* text = const_cast<char*>(wkt);
        OGR_G_CreateFromWkt(&text, nullptr, &g);
        return g;
    }

    // A polygon layer "Lots" of every field kind and a table "Owners".
    std::string WriteTown() const {
        const std::vector<Field> fields{{"small", OFTInteger, OFSTInt16},  {"big", OFTInteger64, OFSTNone},
                                        {"single", OFTReal, OFSTFloat32},  {"text", OFTString, OFSTNone},
                                        {"moment", OFTDateTime, OFSTNone}, {"bytes", OFTBinary, OFSTNone},
                                        {"shape", OFTString, OFSTNone}};
        const std::vector<const char*> values{
            "-12", "9007199254740993", "0.1", "O'Brien, Zoë", "2014/01/05 15:04:05", "0001FF", "attribute named shape"};
        const std::vector<Feature> lots{{7, Wkt("MULTIPOLYGON(((0 0,0 10,10 10,10 0,0 0)))"), values},
                                        // a single polygon in a multipolygon layer
                                        {3, Wkt("POLYGON((20 0,20 10,30 10,30 0,20 0))"), {}},
                                        {9, nullptr, {}}};
        const std::vector<Feature> owners{{OGRNullFID, nullptr, {"A"}}, {OGRNullFID, nullptr, {"B"}}};
        return WriteGeoPackage("town.gpkg", {{"Lots", wkbMultiPolygon, fields, lots, 2249},
                                             {"Owners", wkbNone, {{"Owner", OFTString}}, owners}});
    }
};

TEST_F(Loader, FieldTypesValuesAndIdsFromAGeoPackage) {
    auto source = host::DataSource::Open(WriteTown());
    auto lots = host::As<host::FeatureClass>(source->Table("lots"));
    EXPECT_EQ(lots->SpatialReference()->FactoryCode(), 2249);

    struct Expected {
        const char* field;
        long type;
        const char* text;
    };  // the text of lot 7
    auto lot = lots->GetFeature(7);
    for (const Expected& e : std::vector<Expected>{{"fid", 6, "7"},
                                                   {"small", 0, "-12"},
                                                   {"big", 3, "9007199254740993"},
                                                   {"single", 2, "0.1"},
                                                   {"text", 4, "O'Brien, Zoë"},
                                                   {"moment", 5, "1/5/2014 3:04:05 PM"},
                                                   {"shape_1", 4, "attribute named shape"}}) {
        long index = lots->FindField(e.field);
        EXPECT_EQ(lots->Fields()->Field(index)->Type(), e.type) << e.field;
        EXPECT_EQ(lot->Value(index).Text(), e.text) << e.field;
    }
    EXPECT_EQ(lot->Value(lots->FindField("bytes")).AsBlob(), (host::Blob{0, 1, 255}));

    // The FID is the object id; the shapes come through, the missing one as an empty polygon.
    EXPECT_EQ(lots->Select(nullptr, 1, 1, nullptr)->IDs(), (std::vector<long>{3, 7, 9}));
    EXPECT_TRUE(lots->GetFeature(9)->Shape()->IsEmpty());
    EXPECT_EQ(source->Table("Owners")->Fields()->Field(0)->Type(), 6);  // a table gets an object id
}

TEST_F(Loader, GeoJsonCsvAndShapesOfEveryKind) {
    std::string geojson = Write("points.geojson", R"({"type":"FeatureCollection","features":[
        {"type":"Feature","properties":{"name":"a"},"geometry":{"type":"Point","coordinates":[1,2,30]}}]})");
    auto points = host::As<host::FeatureClass>(host::DataSource::Open(geojson)->Tables().front());
    EXPECT_EQ(points->Search(nullptr, false)->NextFeature()->Shape()->ToWkt(), "POINT (1 2)");  // heights dropped

    std::string csv = Write("owners.csv", "ML,Owner\n1-1,\"O'Brien, Pat\"\n1-2,Zoë\n");
    auto table = host::DataSource::Open(csv)->Tables().front();
    EXPECT_EQ(table->Search(nullptr, false)->NextRow()->Value(table->FindField("Owner")).Text(), "O'Brien, Pat");
}

// A damaged file can hold coordinates GEOS cannot compute with (GEOS crashes buffering
// them). Such a shape loads empty; its feature and values stay, the others are untouched.
TEST_F(Loader, ShapesWithCoordinatesGeosCannotTakeLoadEmpty) {
    struct Case {
        const char* label;
        double x;
        bool kept;
    };  // x of one corner of a 10 x 10 square
    const Case cases[] = {{"large but sound", 1e9, true},
                          {"NaN", std::numeric_limits<double>::quiet_NaN(), false},
                          {"near the largest double", 1e306, false}};
    std::vector<Feature> features;
    for (const Case& c : cases) {
        OGRGeometryH polygon = Wkt("POLYGON((0 0,0 10,10 10,10 0,0 0))");
        OGR_G_SetPoint_2D(OGR_G_GetGeometryRef(polygon, 0), 2, c.x, 10);
        features.push_back({OGRNullFID, polygon, {c.label}});
    }
    std::string path = WriteGeoPackage("damaged.gpkg", {{"L", wkbPolygon, {{"label", OFTString}}, features}});

    auto lots = host::As<host::FeatureClass>(host::DataSource::Open(path)->Table("L"));
    auto selected = lots->Select(carto_test::Meeting(host::New<host::Envelope>(-1, -1, 2e9, 11)), 1, 1, nullptr);
    long oid = 0;
    for (const Case& c : cases) {
        auto feature = lots->GetFeature(++oid);
        EXPECT_EQ(feature->Shape()->Buffer(300)->IsEmpty(), !c.kept) << c.label;
        EXPECT_EQ(selected->HasID(oid), c.kept) << c.label;
    }
}

TEST_F(Loader, IdsUpToTheLargestOneLoad) {
    const GIntBig largest = std::numeric_limits<GIntBig>::max();
    std::string path =
        WriteGeoPackage("ids.gpkg", {{"L", wkbNone, {{"label", OFTString}}, {{largest, nullptr, {"last"}}}}});
    EXPECT_EQ(host::DataSource::Open(path)->Table("L")->GetRow(static_cast<long>(largest))->Value(1).Text(), "last");
}

TEST_F(Loader, FilesItCannotReadRaiseClearErrors) {
    std::string garbage = Write("garbage.gpkg", "this is not a database");
    struct Case {
        const char* what;
        std::function<void()> statement;
        long error;
    };
    for (const Case& c : std::vector<Case>{
             {"missing file", [&] { host::DataSource::Open((TempRoot() / "nothing.gpkg").string()); }, 53},
             {"not a dataset", [&] { host::DataSource::Open(garbage); }, host::err::AutomationError},
             {"a folder of nothing", [&] { host::DataSource::Open(TempRoot().string() + "/empty/"); }, 53},
             {"missing layer", [&] { host::DataSource::Open(WriteTown())->Table("Nope"); }, host::err::AutomationError},
         }) {
        EXPECT_EQ(ErrorOf(c.statement), c.error) << c.what;
    }
}

}  // namespace
