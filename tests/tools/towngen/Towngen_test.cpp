#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogr_geometry.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/HeadlessTest.h"
#include "tools/towngen/Command.h"
#include "tools/towngen/Town.h"
#include "tools/towngen/TownWriter.h"

namespace {

namespace fs = std::filesystem;
using towngen::Town;
using towngen::TownOptions;

class TempFolder : public support::HeadlessTest {
protected:
    int Run(std::vector<std::string> arguments) {
        out_.str("");
        err_.str("");
        return towngen::RunTowngen(arguments, out_, err_);
    }
    std::string P(const std::string& name) const { return (TempRoot() / name).string(); }
    // The files below the test's folder (its drive C: folder holds none).
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(TempRoot()))
            if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::ostringstream out_;
    std::ostringstream err_;
};

GDALDatasetUniquePtr Open(const fs::path& path) {
    GDALAllRegister();
    return GDALDatasetUniquePtr(GDALDataset::Open(path.string().c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
}

// The layer's fields as "NAME:type" in order, each followed by a blank.
std::string FieldsOf(OGRLayer& layer) {
    std::string fields;
    for (int i = 0; i < layer.GetLayerDefn()->GetFieldCount(); ++i) {
        const OGRFieldDefn* field = layer.GetLayerDefn()->GetFieldDefn(i);
        fields += std::string(field->GetNameRef()) + ":" + OGRFieldDefn::GetFieldTypeName(field->GetType()) + " ";
    }
    return fields;
}

TEST_F(TempFolder, WritesTheLayersFieldsAndShapesTheTownHolds) {
    const Town town(TownOptions{4, 500});
    const auto summary = towngen::WriteTown(town, P("town.gpkg"), P("town.json"));
    const GDALDatasetUniquePtr dataset = Open(P("town.gpkg"));
    ASSERT_TRUE(dataset);

    struct Expected {
        const char* name;
        OGRwkbGeometryType type;
        std::int64_t count;
        const char* fields;
    };
    const Expected layers[] = {
        {"Parcels", wkbMultiPolygon, 500, "PARCEL_ID:String LOCATION:String LAND_AREA:Real YEAR_BUILT:Integer "},
        {"Owners", wkbNone, summary.owners,
         "PARCEL_ID:String OWNER_NAME:String CO_OWNER:String ADDRESS1:String ADDRESS2:String CITY:String "
         "STATE:String ZIP:String "},
        {"Streets", wkbLineString, summary.streets, "STREET_NAME:String "},
        {"Hydrants", wkbPoint, summary.hydrants, "HYDRANT_ID:String LOCATION:String "}};
    for (const Expected& expected : layers) {
        OGRLayer* layer = dataset->GetLayerByName(expected.name);
        ASSERT_NE(layer, nullptr) << expected.name;
        EXPECT_EQ(layer->GetGeomType(), expected.type) << expected.name;
        EXPECT_EQ(layer->GetFeatureCount(), expected.count) << expected.name;
        EXPECT_EQ(FieldsOf(*layer), expected.fields);
    }
    EXPECT_STREQ(dataset->GetLayerByName("Streets")->GetSpatialRef()->GetAuthorityCode(nullptr), "2249");
    std::set<std::string> parcelIds;
    for (const auto& feature : *dataset->GetLayerByName("Parcels"))
        parcelIds.insert(feature->GetFieldAsString("PARCEL_ID"));
    for (const auto& feature : *dataset->GetLayerByName("Owners"))
        EXPECT_EQ(parcelIds.count(feature->GetFieldAsString("PARCEL_ID")), 1u) << "owner of a missing parcel";

    // Shapes as stored are the ones the town meant, and the valid parcels never overlap
    // (their union is as large as their areas together).
    OGRMultiPolygon valid;
    double validArea = 0;
    for (const auto& feature : *dataset->GetLayerByName("Parcels")) {
        const auto* shape = feature->GetGeometryRef()->toMultiPolygon();
        using enum towngen::ParcelShape;
        const auto stored = !shape->IsValid()                                     ? BowTie
                            : shape->getNumGeometries() > 1                       ? Multipart
                            : shape->getGeometryRef(0)->getNumInteriorRings() > 0 ? Holed
                                                                                  : Plain;
        EXPECT_EQ(stored, town.ShapeOf(feature->GetFID() - 1)) << feature->GetFieldAsString("PARCEL_ID");
        if (stored == BowTie) continue;
        validArea += shape->get_Area();
        for (const auto* part : *shape) valid.addGeometry(part);
    }
    const std::unique_ptr<OGRGeometry> all(valid.UnionCascaded());
    ASSERT_TRUE(all);
    EXPECT_NEAR(OGR_G_Area(OGRGeometry::ToHandle(all.get())), validArea, validArea * 1e-9);
}

TEST_F(TempFolder, SameSeedGivesTheSameFilesAnotherSeedAnotherTown) {
    for (const char* sub : {"a", "b"}) {
        fs::create_directories(TempRoot() / sub);
        ASSERT_EQ(Run({"--seed", "77", "--parcels", "300", P(std::string(sub) + "/t.gpkg")}), 0) << err_.str();
    }
    ASSERT_EQ(Run({"--seed", "78", "--parcels", "300", P("other.gpkg")}), 0) << err_.str();
    EXPECT_EQ(ReadBytes(P("a/t.gpkg")), ReadBytes(P("b/t.gpkg")));
    EXPECT_EQ(ReadBytes(P("a/t.json")), ReadBytes(P("b/t.json")));
    EXPECT_NE(ReadBytes(P("a/t.json")), ReadBytes(P("other.json")));  // another town, another extent
}

TEST_F(TempFolder, MapDocumentNamesTheLayersJoinGroupAndExtent) {
    // The document sits in another folder, with a blank and an accent in its name.
    const fs::path data = TempRoot() / "data" / "town.gpkg";
    const fs::path document = TempRoot() / "mäps folder" / "town map.json";
    fs::create_directories(data.parent_path());
    fs::create_directories(document.parent_path());
    towngen::WriteTown(Town(TownOptions{2, 200}), data, document);

    auto json = nlohmann::json::parse(ReadBytes(document));
    const std::vector<double> extent = json.at("extent");
    json.erase("extent");
    EXPECT_EQ(json, nlohmann::json::parse(R"({"version": 1,
      "layers": [{"name": "Parcels", "source": "../data/town.gpkg", "layer": "Parcels",
                  "join": {"key": "PARCEL_ID", "table": "Owners", "table_key": "PARCEL_ID"}},
                 {"name": "Infrastructure", "group": [{"name": "Streets", "source": "../data/town.gpkg", "layer": "Streets"},
                   {"name": "Hydrants", "source": "../data/town.gpkg", "layer": "Hydrants", "visible": false}]}],
      "tables": [{"name": "Owners", "source": "../data/town.gpkg", "layer": "Owners"}]})"));

    // The extent is exactly the envelope of every feature of the town.
    OGREnvelope all, layer;
    const GDALDatasetUniquePtr dataset = Open(data);
    for (const char* name : {"Parcels", "Streets", "Hydrants"}) {
        ASSERT_EQ(dataset->GetLayerByName(name)->GetExtent(&layer, TRUE), OGRERR_NONE);
        all.Merge(layer);
    }
    EXPECT_EQ(extent, (std::vector<double>{all.MinX, all.MinY, all.MaxX, all.MaxY}));
}

TEST_F(TempFolder, WrongArgumentsAreRefusedAndWriteNothing) {
    const std::string out = P("t.gpkg");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "OUTPUT file is missing"},
        {{"--parcels", "0", out}, "between 1 and 100000000"},
        {{"--seed", "18446744073709551616", out}, "needs a whole number"},
        {{out, "--seed"}, "--seed needs a value"},
        {{"--colour", "red", out}, "unknown option --colour"},
        {{P("t.txt")}, "must be a GeoPackage file name"},
        {{out, P("u.gpkg")}, "only one OUTPUT"},
        {{"--map", out, out}, "must be different files"},
    };
    for (const auto& [arguments, message] : cases) {
        EXPECT_EQ(Run(arguments), 2);
        EXPECT_NE(err_.str().find(message), std::string::npos) << err_.str();
    }
    EXPECT_TRUE(Files().empty());
}

TEST_F(TempFolder, ExistingFilesAreKeptUnlessReplacedAndFailuresLeaveNoPartialFiles) {
    const std::string out = P("t.gpkg");
    std::ofstream(out) << "keep me";
    EXPECT_EQ(Run({out}), 1);
    EXPECT_NE(err_.str().find("already exists (use --overwrite"), std::string::npos);
    EXPECT_FALSE(fs::exists(P("t.json")));

    // Only the map document exists: still nothing is written.
    std::ofstream(P("u.json")) << "{}";
    EXPECT_EQ(Run({P("u.gpkg")}), 1);
    EXPECT_FALSE(fs::exists(P("u.gpkg")));

    // The dataset is complete before the document fails: both must go, and the old file stay.
    EXPECT_EQ(Run({"--overwrite", "--map", P("missing/t.json"), out}), 1);
    EXPECT_EQ(ReadBytes(out), "keep me");
    EXPECT_EQ(Files(), (std::vector<std::string>{"t.gpkg", "u.json"})) << "partial files were left";

    ASSERT_EQ(Run({"--overwrite", "--parcels", "5", out}), 0) << err_.str();
    EXPECT_EQ(Open(out)->GetLayerByName("Parcels")->GetFeatureCount(), 5);
}

}  // namespace
