// The list click on the Cambridge parcel map, checked against distances that GEOS computes
// on the raw geometries read with GDAL: the selection holds every parcel within 300 feet of
// the subject and none beyond, give or take 0.1% of the distance.
#include <gdal.h>
#include <geos_c.h>
#include <ogr_api.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "extension/mainwindow/frmMain.h"
#include "host/carto/ActiveView.h"
#include "host/carto/MapDocumentFile.h"
#include "host/carto/PolygonElement.h"
#include "host/geometry/Geometry.h"
#include "tests/extension/selection/AbuttersTown.h"

namespace {

constexpr double kDistance = 300;
constexpr double kBand = kDistance * 0.001;

// One layer of the dataset as GDAL reads it: object id, the text of one field, the geometry
// in a GEOS context of the test's own.
struct RawLayer {
    struct Feature {
        long oid;
        std::string key;
        GEOSGeometry* geometry;  // never null; may be empty
        double box[4];           // xmin, ymin, xmax, ymax
    };
    std::vector<Feature> features;
};

class Raw {
public:
    Raw() : h_(GEOS_init_r()) {
        GDALAllRegister();
        GDALDatasetH ds = GDALOpenEx(File().c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr);
        if (ds == nullptr) return;
        Read(ds, "Parcels", "ML");
        Read(ds, "Centerlines", "Street_Name");
        Read(ds, "Hydrants", "HYDRANT_LOCATION");
        GDALClose(ds);
    }
    ~Raw() {
        for (auto& [name, layer] : layers_)
            for (auto& f : layer.features) GEOSGeom_destroy_r(h_, f.geometry);
        GEOS_finish_r(h_);
    }
    Raw(const Raw&) = delete;
    Raw& operator=(const Raw&) = delete;

    static std::filesystem::path File() {
        return std::filesystem::path(CORVANE_SHARED_DIR) / "data" / "cambridge" / "cambridge.gpkg";
    }
    GEOSContextHandle_t H() const { return h_; }
    const RawLayer& Layer(const std::string& name) const { return layers_.at(name); }

    // The distance from a subject feature (prepared) to another feature, from the raw
    // geometries; the distance of the envelopes stands in when it already exceeds `beyond`.
    double Distance(const GEOSPreparedGeometry* subject, const RawLayer::Feature& a, const RawLayer::Feature& b,
                    double beyond) const {
        const double dx = std::max({0.0, a.box[0] - b.box[2], b.box[0] - a.box[2]});
        const double dy = std::max({0.0, a.box[1] - b.box[3], b.box[1] - a.box[3]});
        if (std::hypot(dx, dy) > beyond) return std::hypot(dx, dy);
        double d = 0;
        if (GEOSPreparedDistance_r(h_, subject, b.geometry, &d) != 1) ADD_FAILURE() << "GEOS distance failed";
        return d;
    }

private:
    void Read(GDALDatasetH ds, const std::string& name, const char* field) {
        RawLayer& layer = layers_[name];
        OGRLayerH source = GDALDatasetGetLayerByName(ds, name.c_str());
        OGR_L_ResetReading(source);
        for (OGRFeatureH f = OGR_L_GetNextFeature(source); f != nullptr; f = OGR_L_GetNextFeature(source)) {
            OGRGeometryH g = OGR_F_GetGeometryRef(f);
            const int index = OGR_F_GetFieldIndex(f, field);
            if (g != nullptr && !OGR_G_IsEmpty(g)) {
                std::vector<unsigned char> wkb(static_cast<std::size_t>(OGR_G_WkbSize(g)));
                OGR_G_ExportToIsoWkb(g, wkbNDR, wkb.data());
                RawLayer::Feature feature{static_cast<long>(OGR_F_GetFID(f)),
                                          OGR_F_IsFieldSetAndNotNull(f, index) ? OGR_F_GetFieldAsString(f, index) : "",
                                          GEOSGeomFromWKB_buf_r(h_, wkb.data(), wkb.size()), {}};
                GEOSGeom_getXMin_r(h_, feature.geometry, &feature.box[0]);
                GEOSGeom_getYMin_r(h_, feature.geometry, &feature.box[1]);
                GEOSGeom_getXMax_r(h_, feature.geometry, &feature.box[2]);
                GEOSGeom_getYMax_r(h_, feature.geometry, &feature.box[3]);
                layer.features.push_back(feature);
            }
            OGR_F_Destroy(f);
        }
    }

    GEOSContextHandle_t h_;
    std::map<std::string, RawLayer> layers_;
};

class MainForm : public frmMain {
public:
    void Form_Load() override {}
};

class CambridgeTest : public support::HeadlessTest {
protected:
    static void SetUpTestSuite() {
        raw_ = new Raw();
        document_ = new host::Ref<host::MxDocument>(host::MapDocumentFile::Open(Raw::File()));
        application_ = new host::Ref<host::Application>(host::New<host::Application>());
        (*application_)->SetDocument(*document_);
    }
    static void TearDownTestSuite() {
        delete application_;
        delete document_;
        delete raw_;
    }
    void SetUp() override {
        support::HeadlessTest::SetUp();
        SetIdentity();
        gMxDocument = *document_;
        gApplication = *application_;
        form_ = host::New<MainForm>();
        form_->Load();
        form_->txtBuffer.SetText("300");
    }

    // Clicks a value in the search list and returns the parcels selected afterwards.
    std::set<long> ListClick(const std::string& layer, const std::string& field, const std::string& value) {
        gBufferLayerName = layer;
        gSearchFieldName = field;
        gSelectionLayerName = "Parcels";
        gSuppressListClick = true;
        form_->List1.Clear();
        form_->List1.AddItem(value);
        gSuppressListClick = false;
        form_->List1.SetListIndex(0);
        EXPECT_TRUE(Messages().Texts().empty()) << Messages().Texts().front();
        host::Ref<host::Map> map = gMxDocument->FocusMap();
        for (long i = 0; i < map->LayerCount(); ++i) {
            auto featureLayer = host::As<host::FeatureLayer>(map->Layer(i));
            if (featureLayer->Name() == "Parcels") {
                const auto& ids = featureLayer->SelectionSet()->IDs();
                return {ids.begin(), ids.end()};
            }
        }
        return {};
    }

    // Checks the selection against the raw distances to the subject (the features of
    // `layer` whose field text equals `value`), and that the buffer covers the subject.
    void Check(const std::string& layer, const std::string& value, const std::set<long>& selected) {
        std::vector<const RawLayer::Feature*> subject;
        for (const auto& f : raw_->Layer(layer).features)
            if (f.key == value) subject.push_back(&f);
        ASSERT_FALSE(subject.empty());
        std::vector<const GEOSPreparedGeometry*> prepared;
        for (const auto* f : subject) prepared.push_back(GEOSPrepare_r(raw_->H(), f->geometry));
        long within = 0;
        for (const auto& parcel : raw_->Layer("Parcels").features) {
            double d = std::numeric_limits<double>::infinity();
            for (std::size_t i = 0; i < subject.size(); ++i)
                d = std::min(d, raw_->Distance(prepared[i], *subject[i], parcel, kDistance + kBand));
            if (d <= kDistance - kBand) {
                ++within;
                EXPECT_TRUE(selected.count(parcel.oid)) << "missed parcel " << parcel.oid << " at " << d << " feet";
            } else if (d > kDistance + kBand) {
                EXPECT_FALSE(selected.count(parcel.oid)) << "parcel " << parcel.oid << " is " << d << " feet away";
            }
        }
        for (const auto* p : prepared) GEOSPreparedGeom_destroy_r(raw_->H(), p);
        EXPECT_GT(within, 0);
        EXPECT_LE(selected.size(), static_cast<std::size_t>(within) + 20) << "more than the band allows";

        // The outline, the last element drawn, covers every vertex of the subject.
        host::Ref<host::Element> outline = gMxDocument->ActiveView()->Elements().back();
        ASSERT_TRUE(host::Is<host::PolygonElement>(outline));
        GEOSWKTReader* reader = GEOSWKTReader_create_r(raw_->H());
        GEOSGeometry* outlineGeometry = GEOSWKTReader_read_r(raw_->H(), reader, outline->Geometry()->ToWkt().c_str());
        GEOSWKTReader_destroy_r(raw_->H(), reader);
        ASSERT_NE(outlineGeometry, nullptr);
        for (const auto* s : subject) {
            GEOSGeometry* vertices = GEOSGeom_extractUniquePoints_r(raw_->H(), s->geometry);
            EXPECT_EQ(GEOSCovers_r(raw_->H(), outlineGeometry, vertices), 1) << "subject " << s->oid;
            GEOSGeom_destroy_r(raw_->H(), vertices);
        }
        GEOSGeom_destroy_r(raw_->H(), outlineGeometry);
    }

    static Raw* raw_;
    static host::Ref<host::MxDocument>* document_;
    static host::Ref<host::Application>* application_;
    host::Ref<MainForm> form_;
};

Raw* CambridgeTest::raw_ = nullptr;
host::Ref<host::MxDocument>* CambridgeTest::document_ = nullptr;
host::Ref<host::Application>* CambridgeTest::application_ = nullptr;

TEST_F(CambridgeTest, ParcelSubjectsSelectEveryParcelWithin300Feet) {
    const auto& parcels = raw_->Layer("Parcels").features;
    ASSERT_GT(parcels.size(), 13000u);
    auto area = [&](const RawLayer::Feature& f) {
        double a = 0;
        GEOSArea_r(raw_->H(), f.geometry, &a);
        return a;
    };
    std::vector<std::string> values = {"268B-41"};  // an ML that names three parcels
    std::map<std::string, int> counts;
    for (const auto& f : parcels) ++counts[f.key];
    const RawLayer::Feature *large = nullptr, *tiny = nullptr;
    for (const auto& f : parcels) {
        if (counts[f.key] != 1) continue;
        if (large == nullptr || area(f) > area(*large)) large = &f;
        if (tiny == nullptr || area(f) < area(*tiny)) tiny = &f;
    }
    values.push_back(large->key);
    values.push_back(tiny->key);
    for (const auto& f : parcels)  // every invalid parcel, by its ML once
        if (GEOSisValid_r(raw_->H(), f.geometry) == 0 && !f.key.empty() &&
            std::find(values.begin(), values.end(), f.key) == values.end())
            values.push_back(f.key);
    ASSERT_GT(values.size(), 25u);
    for (const std::string& value : values) {
        SCOPED_TRACE("ML " + value);
        const std::set<long> selected = ListClick("Parcels", "ML", value);
        Check("Parcels", value, selected);
        EXPECT_EQ(form_->txtCount.Caption(), std::to_string(selected.size()));
    }
}

TEST_F(CambridgeTest, StreetAndHydrantSubjectsSelectTheParcelsAroundThem) {
    const struct {
        const char* layer;
        const char* field;
        const char* value;
    } cases[] = {{"Centerlines", "Street_Name", "Amory"}, {"Hydrants", "HYDRANT_LOCATION", "MASS. AVE & MEMORIAL DR"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const std::set<long> selected = ListClick(c.layer, c.field, c.value);
        Check(c.layer, c.value, selected);
        EXPECT_EQ(form_->txtCount.Caption(), std::to_string(selected.size())) << "the subject's selection is cleared";
    }
}

}  // namespace
