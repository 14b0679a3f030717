// The list click on the Cambridge parcel map, checked against distances that GEOS computes
// on the raw geometries read with GDAL: the selection holds every parcel within 300 feet of
// the subject and none beyond, give or take 0.1% of the distance.
#include <gdal.h>
#include <geos_c.h>
#include <ogr_api.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "extension/mainwindow/frmMain.h"
#include "host/carto/MapDocumentFile.h"
#include "tests/extension/selection/AbuttersTown.h"

namespace {

constexpr double kDistance = 300;
constexpr double kBand = kDistance * 0.001;
// The layers read and the search field of each.
const std::map<std::string, std::string> kFields = {
    {"Parcels", "ML"}, {"Centerlines", "Street_Name"}, {"Hydrants", "HYDRANT_LOCATION"}};

// The features of three layers as GDAL reads them, in a GEOS context of the test's own:
// object id, the text of the search field, the geometry and its envelope.
class Raw {
public:
    struct Feature {
        long oid;
        std::string key;
        GEOSGeometry* geometry;
        double box[4];  // xmin, ymin, xmax, ymax
    };

    Raw() : h_(GEOS_init_r()) {
        GDALAllRegister();
        GDALDatasetH ds = GDALOpenEx(File().c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr);
        for (const auto& [name, field] : kFields) {
            OGRLayerH source = GDALDatasetGetLayerByName(ds, name.c_str());
            for (OGRFeatureH f = OGR_L_GetNextFeature(source); f != nullptr; f = OGR_L_GetNextFeature(source)) {
                OGRGeometryH g = OGR_F_GetGeometryRef(f);
                const int index = OGR_F_GetFieldIndex(f, field.c_str());
                if (g != nullptr && !OGR_G_IsEmpty(g)) {
                    std::vector<unsigned char> wkb(static_cast<std::size_t>(OGR_G_WkbSize(g)));
                    OGR_G_ExportToIsoWkb(g, wkbNDR, wkb.data());
                    Feature feature{static_cast<long>(OGR_F_GetFID(f)),
                                    OGR_F_IsFieldSetAndNotNull(f, index) ? OGR_F_GetFieldAsString(f, index) : "",
                                    GEOSGeomFromWKB_buf_r(h_, wkb.data(), wkb.size()),
                                    {}};
                    GEOSGeom_getExtent_r(h_, feature.geometry, &feature.box[0], &feature.box[1], &feature.box[2],
                                         &feature.box[3]);
                    layers_[name].push_back(feature);
                }
                OGR_F_Destroy(f);
            }
        }
        GDALClose(ds);
    }
    ~Raw() {
        for (auto& [name, features] : layers_)
            for (auto& f : features) GEOSGeom_destroy_r(h_, f.geometry);
        GEOS_finish_r(h_);
    }
    Raw(const Raw&) = delete;
    Raw& operator=(const Raw&) = delete;

    static std::filesystem::path File() { return std::filesystem::path(CORVANE_CAMBRIDGE_GPKG); }
    GEOSContextHandle_t H() const { return h_; }
    const std::vector<Feature>& Layer(const std::string& name) const { return layers_.at(name); }

    // Every parcel's distance to the subject (the features of `layer` whose key is `value`);
    // where the envelopes lie farther apart than `beyond`, their distance stands in.
    std::map<long, double> DistancesTo(const std::string& layer, const std::string& value, double beyond) const {
        std::map<long, double> distances;
        for (const Feature& s : Layer(layer)) {
            if (s.key != value) continue;
            const GEOSPreparedGeometry* prepared = GEOSPrepare_r(h_, s.geometry);
            for (const Feature& p : Layer("Parcels")) {
                const double dx = std::max({0.0, s.box[0] - p.box[2], p.box[0] - s.box[2]});
                const double dy = std::max({0.0, s.box[1] - p.box[3], p.box[1] - s.box[3]});
                double d = std::hypot(dx, dy);
                // The distance between outlines; a subject inside a parcel is at no distance.
                if (d <= beyond && GEOSPreparedIntersects_r(h_, prepared, p.geometry) == 1) {
                    d = 0;
                } else if (d <= beyond && GEOSPreparedDistance_r(h_, prepared, p.geometry, &d) != 1) {
                    ADD_FAILURE();
                }
                auto [it, added] = distances.emplace(p.oid, d);
                if (!added) it->second = std::min(it->second, d);
            }
            GEOSPreparedGeom_destroy_r(h_, prepared);
        }
        return distances;
    }

private:
    GEOSContextHandle_t h_;
    std::map<std::string, std::vector<Feature>> layers_;
};

class MainForm : public frmMain {
public:
    void Form_Load() override {}
};

// The Cambridge map as the current document, the main window, and the parcels layer.
class CambridgeTest : public support::HeadlessTest {
protected:
    void OpenCambridge(const char* distance) {
        SetIdentity();
        gApplication = host::New<host::Application>();
        gApplication->SetDocument(host::MapDocumentFile::Open(Raw::File()));
        gMxDocument = gApplication->Document();
        form = host::New<MainForm>();
        form->Load();
        form->txtBuffer.SetText(distance);
        gSelectionLayerName = "Parcels";
        for (const auto& layer : gMxDocument->FocusMap()->FeatureLayers())
            if (layer->Name() == "Parcels") parcelLayer = layer;
    }
    // A list click on the value, searched in the layer's field: every parcel at most `within`
    // feet from the subject must be selected and none more than `beyond` feet away. Gives the
    // number that must be.
    long ClickAndCheck(const Raw& raw, const std::string& layer, const std::string& value, double within,
                       double beyond) {
        SCOPED_TRACE(layer + " " + value);
        gBufferLayerName = layer;
        gSearchFieldName = kFields.at(layer);
        gSuppressListClick = true;
        form->List1.Clear();
        form->List1.AddItem(value);
        gSuppressListClick = false;
        form->List1.SetListIndex(0);
        EXPECT_TRUE(Messages().Texts().empty()) << Messages().Texts().front();
        const std::vector<long>& ids = parcelLayer->SelectionSet()->IDs();
        const std::set<long> selected(ids.begin(), ids.end());
        long must = 0;
        for (const auto& [oid, d] : raw.DistancesTo(layer, value, beyond)) {
            if (d <= within) {
                ++must;
                EXPECT_TRUE(selected.count(oid)) << "missed parcel " << oid << " at " << d << " feet";
            } else if (d > beyond) {
                EXPECT_FALSE(selected.count(oid)) << "parcel " << oid << " is " << d << " feet away";
            }
        }
        EXPECT_EQ(form->txtCount.Caption(), std::to_string(selected.size())) << "only parcels stay selected";
        return must;
    }

    host::Ref<MainForm> form;
    host::Ref<host::FeatureLayer> parcelLayer;
};

TEST_F(CambridgeTest, ListClickSelectsEveryParcelWithin300FeetOfTheSubject) {
    const Raw raw;
    OpenCambridge("300");

    // Subjects: an ML naming three parcels, every invalid parcel (by its ML, once), a street
    // and a corner with two hydrants.
    std::vector<std::pair<std::string, std::string>> subjects = {{"Parcels", "268B-41"}};
    for (const auto& f : raw.Layer("Parcels")) {
        const std::pair<std::string, std::string> subject{"Parcels", f.key};
        if (GEOSisValid_r(raw.H(), f.geometry) == 0 && !f.key.empty() &&
            std::find(subjects.begin(), subjects.end(), subject) == subjects.end())
            subjects.push_back(subject);
    }
    ASSERT_GT(subjects.size(), 25u);
    subjects.emplace_back("Centerlines", "Amory");
    subjects.emplace_back("Hydrants", "MASS. AVE & MEMORIAL DR");
    for (const auto& [layer, value] : subjects)
        EXPECT_GT(ClickAndCheck(raw, layer, value, kDistance - kBand, kDistance + kBand), 0) << layer << " " << value;
}

TEST_F(CambridgeTest, ADistanceTooSmallForStatePlaneFeetSelectsTheParcelsThatTouchTheSubject) {
    // 1e-11 feet buffers to nothing at coordinates of some 760,000 feet; the subject stands
    // as its own buffer, so exactly the parcels it touches are selected. A point or a line
    // has no area of its own: its buffer is the thinnest the coordinates resolve, so parcels
    // within a hundred-millionth of a foot may go either way.
    const Raw raw;
    OpenCambridge("0.00000000001");
    EXPECT_GT(ClickAndCheck(raw, "Parcels", "268B-41", 0, 1e-8), 3);
    ClickAndCheck(raw, "Centerlines", "Amory", 0, 1e-8);
    ClickAndCheck(raw, "Hydrants", "MASS. AVE & MEMORIAL DR", 0, 1e-8);
}

}  // namespace
