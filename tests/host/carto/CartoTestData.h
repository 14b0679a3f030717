#pragma once
// Small maps for the carto tests: feature classes made in memory from well-known text, and
// the fixture files in tests/data.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "host/carto/FeatureLayer.h"
#include "host/core/Ref.h"
#include "host/data/FeatureClass.h"
#include "host/data/Field.h"
#include "host/data/Fields.h"
#include "host/geometry/Geometry.h"

namespace carto_test {

inline std::filesystem::path FixtureFolder() { return std::filesystem::path(CORVANE_SOURCE_DIR) / "tests" / "data"; }

inline std::filesystem::path CambridgeFile() {
    return std::filesystem::path(CORVANE_SHARED_DIR) / "data" / "cambridge" / "cambridge.gpkg";
}

// A feature class with the fields OBJECTID, Shape and NAME (text); object ids from 1.
inline host::Ref<host::FeatureClass> MakeClass(const std::string& name, long shapeType,
                                               const std::vector<std::pair<std::string, std::string>>& namedWkt) {
    auto fields = host::New<host::Fields>();
    fields->AddField(host::New<host::Field>("OBJECTID", host::FieldType::OID));
    fields->AddField(host::New<host::Field>("Shape", host::FieldType::Geometry));
    fields->AddField(host::New<host::Field>("NAME", host::FieldType::String));
    auto featureClass = host::New<host::FeatureClass>(name, fields, 0, 1, shapeType, nullptr);
    std::int64_t oid = 1;
    for (const auto& [text, wkt] : namedWkt) {
        featureClass->AddFeature({host::Value(oid++), host::Value(), host::Value(text)},
                                 host::Geometry::FromWkt(wkt)->Geos());
    }
    return featureClass;
}

inline host::Ref<host::FeatureLayer> MakeLayer(const std::string& name, const host::Ref<host::FeatureClass>& featureClass) {
    auto layer = host::New<host::FeatureLayer>();
    layer->SetFeatureClass(featureClass);
    layer->SetName(name);
    return layer;
}

// Square parcels 100 wide in a row from x = 0, named P1, P2, ...
inline host::Ref<host::FeatureClass> Squares(int count) {
    std::vector<std::pair<std::string, std::string>> parcels;
    for (int i = 0; i < count; ++i) {
        int x = i * 100;
        parcels.emplace_back("P" + std::to_string(i + 1),
                             "POLYGON((" + std::to_string(x) + " 0," + std::to_string(x + 100) + " 0," +
                                 std::to_string(x + 100) + " 100," + std::to_string(x) + " 100," + std::to_string(x) +
                                 " 0))");
    }
    return MakeClass("Squares", 4, parcels);
}

}  // namespace carto_test
