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
        for (const auto& entry : fs::recursive_directory_iterator(TempRoot())) {
            if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::ostringstream out_;
    std::ostringstream err_;
};

struct CloseDataset {
    void operator()(GDALDataset* dataset) const { GDALClose(dataset); }
};
using Dataset = std::unique_ptr<GDALDataset, CloseDataset>;

Dataset Open(const fs::path& path) {
    GDALAllRegister();
    return Dataset(GDALDataset::Open(path.string().c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
}

// The layer's fields as "NAME:type" in order.
std::vector<std::string> FieldsOf(OGRLayer& layer) {
    std::vector<std::string> fields;
    OGRFeatureDefn* definition = layer.GetLayerDefn();
    for (int i = 0; i < definition->GetFieldCount(); ++i) {
        const OGRFieldDefn* field = definition->GetFieldDefn(i);
        fields.push_back(std::string(field->GetNameRef()) + ":" +
                         OGRFieldDefn::GetFieldTypeName(field->GetType()));
    }
    return fields;
}

TEST_F(TempFolder, WritesTheLayersFieldsAndShapesTheTownHolds) {
    const Town town(TownOptions{4, 500});
    const auto summary = towngen::WriteTown(town, P("town.gpkg"), P("town.json"));
    const Dataset dataset = Open(P("town.gpkg"));
    ASSERT_TRUE(dataset);

    struct Expected {
        const char* name;
        OGRwkbGeometryType type;
        std::int64_t count;
        std::vector<std::string> fields;
    };
    const std::vector<Expected> layers = {
        {"Parcels", wkbMultiPolygon, 500,
         {"PARCEL_ID:String", "LOCATION:String", "LAND_AREA:Real", "YEAR_BUILT:Integer"}},
        {"Owners", wkbNone, summary.owners,
         {"PARCEL_ID:String", "OWNER_NAME:String", "CO_OWNER:String", "ADDRESS1:String",
          "ADDRESS2:String", "CITY:String", "STATE:String", "ZIP:String"}},
        {"Streets", wkbLineString, summary.streets, {"STREET_NAME:String"}},
        {"Hydrants", wkbPoint, summary.hydrants, {"HYDRANT_ID:String", "LOCATION:String"}},
    };
    ASSERT_EQ(dataset->GetLayerCount(), 4);
    for (const Expected& expected : layers) {
        SCOPED_TRACE(expected.name);
        OGRLayer* layer = dataset->GetLayerByName(expected.name);
        ASSERT_NE(layer, nullptr);
        EXPECT_EQ(layer->GetGeomType(), expected.type);
        EXPECT_EQ(layer->GetFeatureCount(), expected.count);
        EXPECT_EQ(FieldsOf(*layer), expected.fields);
        if (expected.type != wkbNone) {
            ASSERT_NE(layer->GetSpatialRef(), nullptr);
            EXPECT_STREQ(layer->GetSpatialRef()->GetAuthorityCode(nullptr), "2249");
        }
    }
    EXPECT_GT(summary.owners, 400);
    std::set<std::string> parcelIds;
    for (const auto& feature : *dataset->GetLayerByName("Parcels")) parcelIds.insert(feature->GetFieldAsString("PARCEL_ID"));
    for (const auto& feature : *dataset->GetLayerByName("Owners")) {
        EXPECT_EQ(parcelIds.count(feature->GetFieldAsString("PARCEL_ID")), 1u) << "owner of a missing parcel";
    }

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
    fs::create_directories(TempRoot() / "a");
    fs::create_directories(TempRoot() / "b");
    for (const char* sub : {"a", "b"}) {
        ASSERT_EQ(Run({"--seed", "77", "--parcels", "300", P(std::string(sub) + "/t.gpkg")}), 0)
            << err_.str();
    }
    ASSERT_EQ(Run({"--seed", "78", "--parcels", "300", P("other.gpkg")}), 0) << err_.str();
    EXPECT_EQ(ReadBytes(P("a/t.gpkg")), ReadBytes(P("b/t.gpkg")));
    EXPECT_EQ(ReadBytes(P("a/t.json")), ReadBytes(P("b/t.json")));

    auto locations = [](const fs::path& path) {
        std::vector<std::string> values;
        const Dataset dataset = Open(path);
        for (const auto& feature : *dataset->GetLayerByName("Parcels")) {
            values.push_back(feature->GetFieldAsString("LOCATION"));
            values.push_back(feature->GetFieldAsString("YEAR_BUILT"));
        }
        return values;
    };
    EXPECT_NE(locations(P("a/t.gpkg")), locations(P("other.gpkg")));
}

TEST_F(TempFolder, MapDocumentNamesTheLayersJoinGroupAndExtent) {
    // The document sits in another folder, with a blank and an accent in its name.
    const fs::path data = TempRoot() / "data" / "town.gpkg";
    const fs::path document = TempRoot() / "mäps folder" / "town map.json";
    fs::create_directories(data.parent_path());
    fs::create_directories(document.parent_path());
    const auto summary = towngen::WriteTown(Town(TownOptions{2, 200}), data, document);

    const auto json = nlohmann::json::parse(ReadBytes(document));
    const std::string source = "../data/town.gpkg";
    const auto expected = nlohmann::json::parse(R"({
      "version": 1,
      "layers": [
        {"name": "Parcels", "source": "../data/town.gpkg", "layer": "Parcels",
         "join": {"key": "PARCEL_ID", "table": "Owners", "table_key": "PARCEL_ID"}},
        {"name": "Infrastructure", "group": [
          {"name": "Streets", "source": "../data/town.gpkg", "layer": "Streets"},
          {"name": "Hydrants", "source": "../data/town.gpkg", "layer": "Hydrants",
           "visible": false}]}],
      "tables": [{"name": "Owners", "source": "../data/town.gpkg", "layer": "Owners"}]})");
    auto withoutExtent = json;
    withoutExtent.erase("extent");
    EXPECT_EQ(withoutExtent, expected);
    EXPECT_TRUE(fs::exists(document.parent_path() / source));

    // The extent is exactly the envelope of every feature of the town.
    OGREnvelope all, layer;
    const Dataset dataset = Open(data);
    for (const char* name : {"Parcels", "Streets", "Hydrants"}) {
        ASSERT_EQ(dataset->GetLayerByName(name)->GetExtent(&layer, TRUE), OGRERR_NONE);
        all.Merge(layer);
    }
    const std::vector<double> extent = json.at("extent");
    EXPECT_EQ(extent, (std::vector<double>{all.MinX, all.MinY, all.MaxX, all.MaxY}));
    EXPECT_EQ(extent, (std::vector<double>(summary.extent.begin(), summary.extent.end())));
}

TEST_F(TempFolder, WrongArgumentsAreRefusedAndWriteNothing) {
    const std::string out = P("t.gpkg");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "OUTPUT file is missing"},
        {{"--parcels", "0", out}, "between 1 and 100000000"},
        {{"--parcels", "1e3", out}, "needs a whole number, not \"1e3\""},
        {{"--seed", "18446744073709551616", out}, "needs a whole number"},
        {{out, "--seed"}, "--seed needs a value"},
        {{"--colour", "red", out}, "unknown option --colour"},
        {{P("t.txt")}, "must be a GeoPackage file name"},
        {{TempRoot().string() + "/"}, "must be a GeoPackage file name"},
        {{out, P("u.gpkg")}, "only one OUTPUT"},
        {{"--map", out, out}, "must be different files"},
    };
    for (const auto& [arguments, message] : cases) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        EXPECT_EQ(Run(arguments), 2);
        EXPECT_NE(err_.str().find(message), std::string::npos) << err_.str();
        EXPECT_NE(err_.str().find("usage: towngen"), std::string::npos);
    }
    EXPECT_TRUE(Files().empty());
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(out_.str().find("usage: towngen"), std::string::npos);
}

TEST_F(TempFolder, ExistingFilesAreKeptUnlessReplacedAndFailuresLeaveNoPartialFiles) {
    const std::string out = P("t.gpkg");
    std::ofstream(out) << "keep me";
    EXPECT_EQ(Run({out}), 1);
    EXPECT_NE(err_.str().find("already exists (use --overwrite"), std::string::npos);
    EXPECT_EQ(ReadBytes(out), "keep me");
    EXPECT_FALSE(fs::exists(P("t.json")));

    // Only the map document exists: still nothing is written.
    std::ofstream(P("u.json")) << "{}";
    EXPECT_EQ(Run({P("u.gpkg")}), 1);
    EXPECT_FALSE(fs::exists(P("u.gpkg")));

    // The dataset is complete before the document fails: both must go, and the old file stay.
    EXPECT_EQ(Run({"--overwrite", "--map", P("missing/t.json"), out}), 1);
    EXPECT_NE(err_.str().find("missing"), std::string::npos) << err_.str();
    EXPECT_EQ(ReadBytes(out), "keep me");
    EXPECT_EQ(Files(), (std::vector<std::string>{"t.gpkg", "u.json"}))
        << "partial files were left";

    EXPECT_EQ(Run({"--parcels", "5", P("missing/t.gpkg")}), 1);
    fs::create_directories(P("folder.gpkg"));
    EXPECT_EQ(Run({P("folder.gpkg")}), 1);
    EXPECT_NE(err_.str().find("is a folder"), std::string::npos);

    ASSERT_EQ(Run({"--overwrite", "--parcels", "5", out}), 0) << err_.str();
    EXPECT_NE(out_.str().find("5 parcels"), std::string::npos) << out_.str();
    const Dataset dataset = Open(out);
    ASSERT_TRUE(dataset);
    EXPECT_EQ(dataset->GetLayerByName("Parcels")->GetFeatureCount(), 5);
    EXPECT_TRUE(fs::exists(P("t.json")));
}

}  // namespace
