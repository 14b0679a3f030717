// Opening maps into the application's one document, maps in a coordinate system of their
// own (layers transformed into it as they load), and the message naming the layers whose
// data could not be loaded.
#include <gtest/gtest.h>

#include <cmath>

#include "host/carto/Map.h"
#include "host/carto/MapDocumentFile.h"
#include "host/carto/MissingSourceLayer.h"
#include "host/carto/MxDocument.h"
#include "host/carto/PolygonElement.h"
#include "host/data/SelectionSet.h"
#include "host/framework/Application.h"
#include "host/geometry/Envelope.h"
#include "host/geometry/SpatialReference.h"
#include "tests/host/carto/CartoTestData.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/HeadlessTest.h"

namespace {

namespace fs = std::filesystem;
using host::Ref;
using support::ErrorOf;

// Web Mercator of a longitude and latitude, worked out here rather than by GDAL.
constexpr double kRadius = 6378137.0;
double MercatorX(double lon) { return kRadius * lon * M_PI / 180; }
double MercatorY(double lat) { return kRadius * std::log(std::tan(M_PI / 4 + lat * M_PI / 360)); }

class OpenMapTest : public support::HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        // Squares in Web Mercator metres around (1°, 1°); points in longitude and latitude
        // (GeoJSON without "crs"); a CSV of points in no coordinate system at all.
        const std::string x0 = std::to_string(MercatorX(0.99)), x1 = std::to_string(MercatorX(1.01));
        const std::string y0 = std::to_string(MercatorY(0.99)), y1 = std::to_string(MercatorY(1.01));
        const std::string ring = "[" + x0 + "," + y0 + "],[" + x1 + "," + y0 + "],[" + x1 + "," + y1 + "],[" + x0 +
                                 "," + y1 + "],[" + x0 + "," + y0 + "]";
        Write("mercator.geojson",
              R"({"type": "FeatureCollection", "crs": {"type": "name", "properties": {"name": "EPSG:3857"}},
                  "features": [{"type": "Feature", "properties": {"NAME": "SQ"}, "geometry": {"type": "Polygon",
                  "coordinates": [[)" +
                  ring + "]]}}]}");
        Write("lonlat.geojson", R"({"type": "FeatureCollection", "features": [{"type": "Feature",
                  "properties": {"NAME": "PT"}, "geometry": {"type": "Point", "coordinates": [1, 1]}}]})");
        Write("plain.csv", "WKT,NAME\n\"POINT (5 7)\",PLAIN\n");
    }

    void TearDown() override {
        host::Application::Shutdown();
        HeadlessTest::TearDown();
    }

    fs::path Write(const std::string& name, const std::string& text) {
        WriteBytes(TempRoot() / name, text);
        return TempRoot() / name;
    }
    // A map document over the three files, in the order given, with the "coordinate_system"
    // member given (as JSON; none when empty).
    fs::path Document(const std::vector<std::string>& files, const std::string& system = "") {
        std::string layers;
        for (const std::string& file : files) {
            layers += std::string(layers.empty() ? "" : ",") + R"({"name": ")" + fs::path(file).stem().string() +
                      R"(", "source": ")" + file + "\"}";
        }
        return Write("map.json", "{" + (system.empty() ? "" : "\"coordinate_system\": " + system + ", ") +
                                     "\"layers\": [" + layers + "]}");
    }
    static Ref<host::FeatureLayer> Layer(const Ref<host::MxDocument>& document, const std::string& name) {
        for (const auto& layer : document->FocusMap()->FeatureLayers())
            if (layer->Name() == name) return layer;
        return nullptr;
    }
    // The first shape's envelope centre of a layer.
    static std::pair<double, double> Centre(const Ref<host::MxDocument>& document, const std::string& name) {
        Ref<host::Envelope> box = Layer(document, name)->FeatureClass()->Extent();
        return {(box->XMin() + box->XMax()) / 2, (box->YMin() + box->YMax()) / 2};
    }
};

TEST_F(OpenMapTest, LayersAreTransformedIntoTheMapsCoordinateSystem) {
    const double mx = MercatorX(1), my = MercatorY(1);
    // The map's system: the document's member (a code, a text of digits, any definition),
    // else the first layer's; a layer without one stays as it is.
    const struct {
        std::vector<std::string> files;
        std::string system;
        long code;
        double px, py, sx, sy;
    } cases[] = {
        {{"mercator.geojson", "lonlat.geojson", "plain.csv"}, "", 3857, mx, my, mx, my},
        {{"lonlat.geojson", "mercator.geojson", "plain.csv"}, "", 4326, 1, 1, 1, 1},
        {{"lonlat.geojson", "mercator.geojson", "plain.csv"}, "3857", 3857, mx, my, mx, my},
        {{"lonlat.geojson", "mercator.geojson", "plain.csv"}, "\"3857\"", 3857, mx, my, mx, my},
        {{"mercator.geojson", "lonlat.geojson", "plain.csv"}, "\"+proj=longlat +datum=WGS84\"", 0, 1, 1, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.files.front() + " " + c.system);
        Ref<host::MxDocument> document = host::MapDocumentFile::Read(Document(c.files, c.system));
        Ref<host::SpatialReference> system = document->FocusMap()->SpatialReference();
        ASSERT_TRUE(system);
        EXPECT_EQ(system->FactoryCode(), c.code);
        EXPECT_EQ(system->IsGeographic(), c.code != 3857);
        const auto [px, py] = Centre(document, "lonlat");
        const auto [sx, sy] = Centre(document, "mercator");
        EXPECT_NEAR(px, c.px, std::abs(c.px) * 1e-9) << "longitude is x, latitude y";
        EXPECT_NEAR(py, c.py, std::abs(c.py) * 1e-9);
        EXPECT_NEAR(sx, c.sx, std::abs(c.sx) * 1e-4);
        EXPECT_NEAR(sy, c.sy, std::abs(c.sy) * 1e-4);
        EXPECT_EQ(Centre(document, "plain"), std::make_pair(5.0, 7.0));

        // Selection by an area works in map units: the square finds the point.
        Ref<host::FeatureLayer> points = Layer(document, "lonlat");
        points->SelectFeatures(carto_test::Meeting(Layer(document, "mercator")->FeatureClass()->Extent()),
                               host::SelectionResult::New, false);
        EXPECT_EQ(points->SelectionSet()->Count(), 1);
    }

    // The member is written back with the document and read again.
    Ref<host::MxDocument> named = host::MapDocumentFile::Read(Document({"lonlat.geojson"}, "3857"));
    host::MapDocumentFile::Write(*named, TempRoot() / "again.json");
    EXPECT_NE(ReadBytes(TempRoot() / "again.json").find(R"("coordinate_system": "EPSG:3857")"), std::string::npos);
    Ref<host::MxDocument> again = host::MapDocumentFile::Read(TempRoot() / "again.json");
    EXPECT_EQ(again->FocusMap()->SpatialReference()->FactoryCode(), 3857);

    for (const char* bad : {"\"not a coordinate system\"", "\"\"", "true", "[3857]"}) {
        EXPECT_EQ(ErrorOf([&] { host::MapDocumentFile::Read(Document({"lonlat.geojson"}, bad)); }), 5) << bad;
    }
}

TEST_F(OpenMapTest, OpeningAMapReplacesTheContentOfTheOneDocument) {
    Ref<host::Application> app = host::Application::Launch();
    const Ref<host::MxDocument> document = app->Document();
    const Ref<host::Map> map = document->FocusMap();
    int redraws = 0;
    map->Subscribe([&](host::ViewEvent event) { redraws += event == host::ViewEvent::Refreshed; });

    app->OpenDocument(carto_test::FixtureFolder() / "small_map.json");
    EXPECT_EQ(app->Document(), document);
    EXPECT_EQ(document->FocusMap(), map);
    EXPECT_EQ(map->LayerCount(), 3);
    EXPECT_EQ(map->StandaloneTableCount(), 1);
    EXPECT_EQ(document->FilePath().filename(), "small_map.json");
    EXPECT_EQ(redraws, 1);

    // What the user did on the first map goes with it.
    const Ref<host::FeatureLayer> before = map->FeatureLayers().front();
    Select(before, {1});
    auto element = host::New<host::PolygonElement>();
    element->SetGeometry(host::Geometry::FromWkt("POLYGON((0 0,1 0,1 1,0 0))"));
    map->AddElement(element, 0);
    app->OpenDocument(carto_test::FixtureFolder() / "hydrants.geojson");
    EXPECT_EQ(app->Document(), document);
    EXPECT_EQ(map->LayerCount(), 1);
    EXPECT_EQ(map->StandaloneTableCount(), 0);
    EXPECT_EQ(map->ElementCount(), 0);
    EXPECT_EQ(map->SelectionCount(), 0);
    EXPECT_EQ(document->FilePath().filename(), "hydrants.geojson") << "a dataset opened whole is its file";
    EXPECT_EQ(map->Extent()->XMin(), map->FullExtent()->XMin());
    const int heard = redraws;
    Select(before, {2});
    EXPECT_EQ(redraws, heard) << "a layer that left the map no longer speaks to it";

    // A map that cannot be opened leaves the content as it was; a new document empties it.
    EXPECT_EQ(ErrorOf([&] { app->OpenDocument(TempRoot() / "gone.json"); }), 53);
    EXPECT_EQ(map->LayerCount(), 1);
    app->NewDocument();
    EXPECT_EQ(app->Document(), document);
    EXPECT_EQ(map->LayerCount(), 0);
    EXPECT_TRUE(map->Extent()->IsEmpty());
}

TEST_F(OpenMapTest, LayersThatCannotBeLoadedAreNamedInOneMessageAndKept) {
    Write("broken.geojson", "{ this is not GeoJSON");
    Write("map.json", R"({"coordinate_system": "LOCAL_CS[\"Site grid\",UNIT[\"foot\",0.3048]]",
        "layers": [{"name": "Gone", "source": "gone.geojson"},
                   {"name": "Broken", "source": "broken.geojson"},
                   {"name": "Group", "group": [{"name": "Points", "source": "lonlat.geojson"},
                                               {"name": "Plain", "source": "plain.csv"}]}],
        "tables": [{"name": "Owners", "source": "owners-gone.csv"}]})");
    Ref<host::Application> app = host::Application::Launch();
    app->OpenDocument(TempRoot() / "map.json");
    const std::vector<std::string> shown = TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    const std::string& text = shown.front();
    EXPECT_EQ(text.rfind("Some layers of the map could not be loaded:\nGone: File not found: ", 0), 0u) << text;
    for (const char* part : {"\nBroken: The data source ", "\nPoints: Its data in WGS 84 cannot be transformed",
                             "\nOwners (table): File not found: "}) {
        EXPECT_NE(text.find(part), std::string::npos) << part << " in " << text;
    }
    EXPECT_EQ(text.find("Plain"), std::string::npos) << "a layer without a system is taken to be in the map's";
    // Each stays in the map, a layer of the other kind, as the document names it.
    const Ref<host::Map> map = app->Document()->FocusMap();
    EXPECT_EQ(map->LayerCount(), 3);
    EXPECT_TRUE(host::Is<host::MissingSourceLayer>(map->Layer(1)));
    ASSERT_EQ(map->FeatureLayers().size(), 1u);
    EXPECT_EQ(map->FeatureLayers().front()->Name(), "Plain");

    // A map whose layers all load says nothing.
    app->OpenDocument(TempRoot() / "lonlat.geojson");
    EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
