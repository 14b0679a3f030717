#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "host/carto/GroupLayer.h"
#include "host/carto/Map.h"
#include "host/carto/MapDocumentFile.h"
#include "host/carto/MissingSourceLayer.h"
#include "host/carto/MxDocument.h"
#include "host/carto/StandaloneTable.h"
#include "host/data/Row.h"
#include "host/data/Table.h"
#include "host/framework/Application.h"
#include "host/geometry/Envelope.h"
#include "tests/host/carto/CartoTestData.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/HeadlessTest.h"

namespace {

namespace fs = std::filesystem;
using host::As;
using host::Is;
using host::Ref;
using support::ErrorOf;

// One line per layer, indented by depth: kind, name, visibility, source file, join.
std::string Outline(const Ref<host::Layer>& layer, const std::string& indent = "") {
    std::string kind = Is<host::FeatureLayer>(layer) ? "feature" : Is<host::GroupLayer>(layer) ? "group" : "missing";
    std::string line = indent + kind + " " + layer->Name() + (layer->Visible() ? "" : " hidden");
    if (!layer->Source().path.empty()) line += " " + fs::path(layer->Source().path).filename().string();
    if (!layer->Source().layer.empty()) line += ":" + layer->Source().layer;
    std::optional<host::JoinSpec> join;
    if (Is<host::FeatureLayer>(layer)) join = As<host::FeatureLayer>(layer)->Join();
    if (Is<host::MissingSourceLayer>(layer)) join = As<host::MissingSourceLayer>(layer)->Join();
    if (join) line += " join " + join->key + "->" + join->table + "." + join->tableKey;
    line += "\n";
    for (long i = 0; Is<host::GroupLayer>(layer) && i < As<host::GroupLayer>(layer)->Count(); ++i) {
        line += Outline(As<host::GroupLayer>(layer)->Layer(i), indent + "  ");
    }
    return line;
}

std::string Outline(const host::MxDocument& document) {
    Ref<host::Map> map = document.FocusMap();
    std::string text;
    for (long i = 0; i < map->LayerCount(); ++i) text += Outline(map->Layer(i));
    for (long i = 0; i < map->StandaloneTableCount(); ++i) text += "table " + map->StandaloneTable(i)->Name() + "\n";
    std::ostringstream extent;
    extent << "extent " << map->Extent()->XMin() << " " << map->Extent()->YMin() << " " << map->Extent()->XMax() << " "
           << map->Extent()->YMax() << "\n";
    return text + extent.str();
}

class MapDocumentFileTest : public support::HeadlessTest {
protected:
    fs::path Fixture(const char* name) const { return carto_test::FixtureFolder() / name; }

    fs::path WriteText(const std::string& name, const std::string& text) {
        WriteBytes(TempRoot() / name, text);
        return TempRoot() / name;
    }
};

TEST_F(MapDocumentFileTest, ReadsLayersGroupsJoinsTablesAndMissingSources) {
    Ref<host::MxDocument> document = host::MapDocumentFile::Read(Fixture("small_map.json"));
    EXPECT_EQ(Outline(*document),
              "feature Parcels parcels.geojson join PARCEL_ID->Owners.PARCEL_ID\n"
              "group Infrastructure\n"
              "  feature Hydrants hidden hydrants.geojson\n"
              "  missing Streets streets_gone.geojson\n"
              "missing Old parcels old.gpkg:Parcels join ML->Owners.PARCEL_ID\n"
              "table Owners\n"
              "extent 900 1900 1500 2200\n");

    // The join: the parcels' own fields, then the owners' ones, each feature joined to the
    // first matching owner, Null where none matches.
    Ref<host::Table> display = As<host::FeatureLayer>(document->FocusMap()->Layer(0))->DisplayTable();
    long owner = display->FindField("owners.OWNER_NAME");
    ASSERT_GE(owner, 0);
    EXPECT_EQ(display->GetRow(2)->Value(owner).Text(), "O'BRIEN, MARY");
    EXPECT_TRUE(display->GetRow(3)->Value(owner).IsNull());
}

TEST_F(MapDocumentFileTest, RoundTripsThroughAnotherFolder) {
    Ref<host::MxDocument> original = host::MapDocumentFile::Read(Fixture("small_map.json"));
    fs::create_directories(TempRoot() / "elsewhere" / "deeper");
    fs::path first = TempRoot() / "elsewhere" / "deeper" / "copy.json";
    host::MapDocumentFile::Write(*original, first);

    Ref<host::MxDocument> again = host::MapDocumentFile::Read(first);
    EXPECT_EQ(Outline(*again), Outline(*original));
    // Sources point at the same files, written relative to the new file.
    EXPECT_EQ(again->FocusMap()->Layer(0)->Source(), original->FocusMap()->Layer(0)->Source());
    std::string text = ReadBytes(first);
    EXPECT_EQ(text.find(TempRoot().string()), std::string::npos) << "no absolute paths: " << text;

    // Writing what was read, over the existing document, gives the same file.
    host::MapDocumentFile::Write(*again, first);
    EXPECT_EQ(ReadBytes(first), text);
}

TEST_F(MapDocumentFileTest, RefusesFilesThatAreNotMapDocuments) {
    for (const char* text :
         {"", "[]", R"({"version": 2, "layers": []})", R"({"version": "1"})", R"({"layers": {}})",
          R"({"layers": [{"source": "a.gpkg"}]})", R"({"layers": [{"name": "A", "visible": "no"}]})",
          R"({"layers": [{"name": "A", "group": [{"name": "B", "join": {"key": "K"}}]}]})",
          R"({"layers": [], "extent": [1, 2, 3]})", R"({"layers": [], "tables": [{"source": "t.csv"}]})",
          R"({"layers": [], "extent": [0, 0, 0, 0]})", R"({"layers": [3]})"}) {
        EXPECT_EQ(ErrorOf([&] { host::MapDocumentFile::Read(WriteText("bad.json", text)); }), 5) << text;
    }
    EXPECT_EQ(ErrorOf([&] { host::MapDocumentFile::Read(WriteText("bad.json", R"({"version": 1})")); }), 0);
    EXPECT_EQ(ErrorOf([&] { host::MapDocumentFile::Read(TempRoot() / "none.json"); }), 53);

    // Groups inside groups: a deep but sensible map reads; a file nesting them beyond
    // reason is refused instead of exhausting the stack.
    auto nested = [](int depth) {
        std::string text = "{\"layers\": [";
        for (int i = 0; i < depth; ++i) text += "{\"name\": \"G\", \"group\": [";
        for (int i = 0; i < depth; ++i) text += "]}";
        return text + "]}";
    };
    EXPECT_EQ(host::MapDocumentFile::Read(WriteText("deep.json", nested(50)))->FocusMap()->LayerCount(), 1);
    EXPECT_EQ(ErrorOf([&] { host::MapDocumentFile::Open(WriteText("deep.json", nested(100000))); }), 5);
    host::MxDocument empty;
    EXPECT_EQ(ErrorOf([&] { host::MapDocumentFile::Write(empty, TempRoot() / "no" / "such" / "map.json"); }), 76);
}

TEST_F(MapDocumentFileTest, OpensADatasetWhole) {
    // The Cambridge GeoPackage: three layers with geometry, one table.
    Ref<host::Application> app = host::Application::Launch();
    app->OpenDocument(carto_test::CambridgeFile());
    EXPECT_EQ(Outline(*app->Document()).substr(0, Outline(*app->Document()).find("extent")),
              "feature Parcels cambridge.gpkg:Parcels\n"
              "feature Centerlines cambridge.gpkg:Centerlines\n"
              "feature Hydrants cambridge.gpkg:Hydrants\n"
              "table Assessing\n");
    EXPECT_FALSE(app->Document()->CommandBars()->Find("Host_ZoomToSelected").IsNothing())
        << "an opened document gets the application's command bars";
    host::Application::Shutdown();
}

}  // namespace
