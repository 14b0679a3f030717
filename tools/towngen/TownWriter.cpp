#include "tools/towngen/TownWriter.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_feature.h>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "host/data/QuietErrors.h"

namespace towngen {

namespace fs = std::filesystem;

namespace {

constexpr int kCoordinateSystem = 2249;  // state-plane feet
constexpr std::int64_t kFeaturesPerTransaction = 50000;
// The GeoPackage records when each layer last changed; a fixed date keeps the file the same
// from run to run.
constexpr const char* kRecordedDate = "2000-01-01T00:00:00.000Z";

// A GDAL setting for this thread only, restored on the way out.
class ScopedSetting {
public:
    ScopedSetting(const char* key, const char* value) : key_(key) {
        if (const char* old = CPLGetThreadLocalConfigOption(key, nullptr)) old_ = old;
        CPLSetThreadLocalConfigOption(key, value);
    }
    ~ScopedSetting() { CPLSetThreadLocalConfigOption(key_, old_ ? old_->c_str() : nullptr); }
    ScopedSetting(const ScopedSetting&) = delete;
    ScopedSetting& operator=(const ScopedSetting&) = delete;

private:
    const char* key_;
    std::optional<std::string> old_;
};

[[noreturn]] void Fail(const std::string& what) {
    const std::string detail = CPLGetLastErrorMsg();
    throw std::runtime_error(detail.empty() ? what : what + ": " + detail);
}

struct CloseDataset {
    void operator()(GDALDataset* dataset) const { GDALClose(dataset); }
};
using DatasetPtr = std::unique_ptr<GDALDataset, CloseDataset>;

OGRLayer* CreateLayer(GDALDataset& dataset, const char* name, OGRSpatialReference* srs, OGRwkbGeometryType type,
                      std::initializer_list<std::pair<const char*, OGRFieldType>> fields) {
    OGRLayer* layer = dataset.CreateLayer(name, srs, type, nullptr);
    if (layer == nullptr) Fail(std::string("cannot create the layer ") + name);
    for (const auto& [field, fieldType] : fields) {
        OGRFieldDefn definition(field, fieldType);
        if (layer->CreateField(&definition) != OGRERR_NONE) {
            Fail(std::string("cannot create the field ") + field + " of " + name);
        }
    }
    return layer;
}

// Commits every so many features, so a huge town never sits in one transaction.
class Transactions {
public:
    explicit Transactions(GDALDataset& dataset) : dataset_(dataset) { Start(); }

    void Added() {
        if (++pending_ < kFeaturesPerTransaction) return;
        Commit();
        Start();
    }

    void Commit() {
        if (dataset_.CommitTransaction() != OGRERR_NONE) Fail("cannot commit the features");
        pending_ = 0;
    }

private:
    void Start() {
        if (dataset_.StartTransaction() != OGRERR_NONE) Fail("cannot start a transaction");
    }

    GDALDataset& dataset_;
    std::int64_t pending_ = 0;
};

// Writes the features of one layer through one reused feature, and counts them.
class FeatureWriter {
public:
    FeatureWriter(OGRLayer& layer, Transactions& transactions, std::int64_t& count)
        : feature(layer.GetLayerDefn()), layer_(layer), transactions_(transactions), count_(count) {}

    // Writes the feature's current values with the given shape (none for a table row).
    void Write(OGRGeometry* shape = nullptr) {
        if (shape != nullptr) feature.SetGeometryDirectly(shape);
        feature.SetFID(OGRNullFID);
        if (layer_.CreateFeature(&feature) != OGRERR_NONE) {
            Fail(std::string("cannot write a feature of ") + layer_.GetName());
        }
        transactions_.Added();
        ++count_;
    }

    OGRFeature feature;

private:
    OGRLayer& layer_;
    Transactions& transactions_;
    std::int64_t& count_;
};

void SetText(OGRFeature& feature, int field, const std::optional<std::string>& value) {
    if (value) {
        feature.SetField(field, value->c_str());
    } else {
        feature.SetFieldNull(field);
    }
}

OGRLinearRing* MakeRing(const Ring& points) {
    auto* ring = new OGRLinearRing;
    ring->setNumPoints(static_cast<int>(points.size()), FALSE);
    for (std::size_t i = 0; i < points.size(); ++i) {
        ring->setPoint(static_cast<int>(i), points[i].x, points[i].y);
    }
    return ring;
}

OGRMultiPolygon* MakeMultiPolygon(const std::vector<Polygon>& parts) {
    auto* multi = new OGRMultiPolygon;
    for (const Polygon& part : parts) {
        auto* polygon = new OGRPolygon;
        polygon->addRingDirectly(MakeRing(part.outer));
        for (const Ring& hole : part.holes) polygon->addRingDirectly(MakeRing(hole));
        multi->addGeometryDirectly(polygon);
    }
    return multi;
}

void WriteParcelsAndOwners(const Town& town, OGRLayer& parcels, OGRLayer& owners, Transactions& transactions,
                           TownSummary& summary) {
    enum { kParcelId, kLocation, kLandArea, kYearBuilt };
    enum { kOwnerParcelId, kOwnerName, kCoOwner, kAddress1, kAddress2, kCity, kState, kZip };
    FeatureWriter parcelWriter(parcels, transactions, summary.parcels);
    FeatureWriter ownerWriter(owners, transactions, summary.owners);
    OGRFeature& parcelRow = parcelWriter.feature;
    OGRFeature& ownerRow = ownerWriter.feature;
    town.ForEachParcel([&](const Parcel& parcel) {
        parcelRow.SetField(kParcelId, parcel.id.c_str());
        parcelRow.SetField(kLocation, parcel.location.c_str());
        parcelRow.SetField(kLandArea, parcel.landArea);
        if (parcel.yearBuilt) {
            parcelRow.SetField(kYearBuilt, *parcel.yearBuilt);
        } else {
            parcelRow.SetFieldNull(kYearBuilt);
        }
        parcelWriter.Write(MakeMultiPolygon(parcel.parts));

        for (const Owner& owner : town.OwnersOf(parcel)) {
            ownerRow.SetField(kOwnerParcelId, owner.parcelId.c_str());
            ownerRow.SetField(kOwnerName, owner.ownerName.c_str());
            SetText(ownerRow, kCoOwner, owner.coOwner);
            ownerRow.SetField(kAddress1, owner.address1.c_str());
            SetText(ownerRow, kAddress2, owner.address2);
            ownerRow.SetField(kCity, owner.city.c_str());
            ownerRow.SetField(kState, owner.state.c_str());
            ownerRow.SetField(kZip, owner.zip.c_str());
            ownerWriter.Write();
        }
    });
}

void WriteStreetsAndHydrants(const Town& town, OGRLayer& streets, OGRLayer& hydrants, Transactions& transactions,
                             TownSummary& summary) {
    FeatureWriter streetWriter(streets, transactions, summary.streets);
    town.ForEachStreet([&](const Street& street) {
        streetWriter.feature.SetField(0, street.name.c_str());
        auto* line = new OGRLineString;
        line->addPoint(street.from.x, street.from.y);
        line->addPoint(street.to.x, street.to.y);
        streetWriter.Write(line);
    });
    FeatureWriter hydrantWriter(hydrants, transactions, summary.hydrants);
    town.ForEachHydrant([&](const Hydrant& hydrant) {
        hydrantWriter.feature.SetField(0, hydrant.id.c_str());
        hydrantWriter.feature.SetField(1, hydrant.location.c_str());
        hydrantWriter.Write(new OGRPoint(hydrant.at.x, hydrant.at.y));
    });
}

Extent ExtentOf(std::initializer_list<OGRLayer*> layers) {
    OGREnvelope all;
    for (OGRLayer* layer : layers) {
        OGREnvelope envelope;
        if (layer->GetExtent(&envelope, TRUE) == OGRERR_NONE) all.Merge(envelope);
    }
    return {all.MinX, all.MinY, all.MaxX, all.MaxY};
}

void RemoveQuietly(const fs::path& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

// The file itself and what SQLite may leave beside it.
void RemoveDatabase(const fs::path& path) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
        RemoveQuietly(fs::path(path.string() + suffix));
    }
}

}  // namespace

TownSummary WriteGeoPackage(const Town& town, const fs::path& path) {
    GDALAllRegister();
    host::QuietErrors quiet;  // the last GDAL message goes into the exception instead
    const ScopedSetting date("OGR_CURRENT_DATE", kRecordedDate);
    // A failed run is thrown away whole, so there is no need to wait for the disk.
    const ScopedSetting synchronous("OGR_SQLITE_SYNCHRONOUS", "OFF");

    std::error_code error;
    if (fs::exists(path, error)) Fail("the file " + path.string() + " already exists");
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GPKG");
    if (driver == nullptr) Fail("GDAL has no GeoPackage driver");
    DatasetPtr dataset(driver->Create(path.string().c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!dataset) Fail("cannot create " + path.string());

    OGRSpatialReference srs;
    if (srs.importFromEPSG(kCoordinateSystem) != OGRERR_NONE) {
        Fail("cannot find the coordinate system EPSG:" + std::to_string(kCoordinateSystem));
    }
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);

    OGRLayer* parcels = CreateLayer(
        *dataset, "Parcels", &srs, wkbMultiPolygon,
        {{"PARCEL_ID", OFTString}, {"LOCATION", OFTString}, {"LAND_AREA", OFTReal}, {"YEAR_BUILT", OFTInteger}});
    OGRLayer* owners = CreateLayer(*dataset, "Owners", nullptr, wkbNone,
                                   {{"PARCEL_ID", OFTString},
                                    {"OWNER_NAME", OFTString},
                                    {"CO_OWNER", OFTString},
                                    {"ADDRESS1", OFTString},
                                    {"ADDRESS2", OFTString},
                                    {"CITY", OFTString},
                                    {"STATE", OFTString},
                                    {"ZIP", OFTString}});
    OGRLayer* streets = CreateLayer(*dataset, "Streets", &srs, wkbLineString, {{"STREET_NAME", OFTString}});
    OGRLayer* hydrants =
        CreateLayer(*dataset, "Hydrants", &srs, wkbPoint, {{"HYDRANT_ID", OFTString}, {"LOCATION", OFTString}});

    TownSummary summary;
    Transactions transactions(*dataset);
    WriteParcelsAndOwners(town, *parcels, *owners, transactions, summary);
    WriteStreetsAndHydrants(town, *streets, *hydrants, transactions, summary);
    transactions.Commit();
    summary.extent = ExtentOf({parcels, streets, hydrants});

    // Closing writes the spatial indexes; a failure there is a failure of the whole file.
    CPLErrorReset();
    dataset.reset();
    if (CPLGetLastErrorType() >= CE_Failure) Fail("cannot finish " + path.string());
    return summary;
}

std::string MapDocumentText(const Extent& extent, const std::string& source) {
    using Json = nlohmann::ordered_json;
    auto layer = [&](const char* name) { return Json{{"name", name}, {"source", source}, {"layer", name}}; };
    Json parcels = layer("Parcels");
    parcels["join"] = {{"key", "PARCEL_ID"}, {"table", "Owners"}, {"table_key", "PARCEL_ID"}};
    Json hydrants = layer("Hydrants");
    hydrants["visible"] = false;
    Json document = {
        {"version", 1},
        {"extent", Json::array({extent[0], extent[1], extent[2], extent[3]})},
        {"layers", Json::array({parcels, Json{{"name", "Infrastructure"},
                                              {"group", Json::array({layer("Streets"), hydrants})}}})},
        {"tables", Json::array({layer("Owners")})},
    };
    return document.dump(2) + "\n";
}

std::string SourceRelativeTo(const fs::path& dataset, const fs::path& mapDocument) {
    const fs::path folder = fs::absolute(mapDocument).parent_path();
    std::error_code error;
    fs::path relative = fs::relative(fs::absolute(dataset), folder, error);
    if (error || relative.empty()) relative = fs::absolute(dataset);
    return relative.generic_string();
}

TownSummary WriteTown(const Town& town, const fs::path& dataset, const fs::path& mapDocument) {
    const std::string partial = ".partial-" + std::to_string(getpid());
    const fs::path datasetTemporary = dataset.parent_path() / (dataset.stem().string() + partial + ".gpkg");
    const fs::path documentTemporary = mapDocument.parent_path() / (mapDocument.filename().string() + partial);
    RemoveDatabase(datasetTemporary);
    RemoveQuietly(documentTemporary);
    try {
        TownSummary summary = WriteGeoPackage(town, datasetTemporary);
        {
            std::ofstream out(documentTemporary, std::ios::binary | std::ios::trunc);
            out << MapDocumentText(summary.extent, SourceRelativeTo(dataset, mapDocument));
            out.close();
            if (!out) throw std::runtime_error("cannot write " + mapDocument.string());
        }
        std::error_code error;
        fs::rename(datasetTemporary, dataset, error);
        if (error) throw std::runtime_error("cannot write " + dataset.string() + ": " + error.message());
        fs::rename(documentTemporary, mapDocument, error);
        if (error) throw std::runtime_error("cannot write " + mapDocument.string() + ": " + error.message());
        return summary;
    } catch (...) {
        RemoveDatabase(datasetTemporary);
        RemoveQuietly(documentTemporary);
        throw;
    }
}

}  // namespace towngen
