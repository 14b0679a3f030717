#pragma once
// Data shared by the host tests: tables and feature classes built in memory from
// well-known text, where-clause filters, and the fixture files.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "host/carto/FeatureLayer.h"
#include "host/core/Ref.h"
#include "host/data/FeatureClass.h"
#include "host/data/Field.h"
#include "host/data/Fields.h"
#include "host/data/QueryFilter.h"
#include "host/data/SpatialFilter.h"
#include "host/geometry/Geometry.h"
#include "host/geometry/GeometryBag.h"
#include "host/geometry/Polygon.h"

namespace carto_test {

inline std::filesystem::path FixtureFolder() { return std::filesystem::path(CORVANE_SOURCE_DIR) / "tests" / "data"; }

inline std::filesystem::path CambridgeFile() { return std::filesystem::path(CORVANE_CAMBRIDGE_GPKG); }

inline host::Ref<host::QueryFilter> Where(const std::string& clause) {
    auto filter = host::New<host::QueryFilter>();
    filter->SetWhereClause(clause);
    return filter;
}

// A spatial filter for the shapes that meet the geometry.
inline host::Ref<host::SpatialFilter> Meeting(const host::Ref<host::Geometry>& geometry) {
    auto filter = host::New<host::SpatialFilter>();
    filter->SetGeometry(geometry);
    return filter;
}

// The union of the geometries, through a bag.
inline host::Ref<host::Polygon> United(const std::vector<host::Ref<host::Geometry>>& parts) {
    auto bag = host::New<host::GeometryBag>();
    for (const auto& part : parts) bag->AddGeometry(part);
    auto united = host::New<host::Polygon>();
    united->ConstructUnion(bag);
    return united;
}

inline host::Ref<host::Fields> MakeFields(const std::vector<std::pair<std::string, long>>& definitions) {
    auto fields = host::New<host::Fields>();
    for (const auto& [name, type] : definitions) fields->AddField(host::New<host::Field>(name, type));
    return fields;
}

// A feature class with the fields OBJECTID, Shape and NAME (text); object ids from 1.
inline host::Ref<host::FeatureClass> MakeClass(const std::string& name, long shapeType,
                                               const std::vector<std::pair<std::string, std::string>>& namedWkt) {
    auto fields = MakeFields(
        {{"OBJECTID", host::FieldType::OID}, {"Shape", host::FieldType::Geometry}, {"NAME", host::FieldType::String}});
    auto featureClass = host::New<host::FeatureClass>(name, fields, 0, 1, shapeType, nullptr);
    std::int64_t oid = 1;
    for (const auto& [text, wkt] : namedWkt) {
        featureClass->AddFeature({host::Value(oid++), host::Value(), host::Value(text)},
                                 host::Geometry::FromWkt(wkt)->Geos());
    }
    return featureClass;
}

inline host::Ref<host::FeatureLayer> MakeLayer(const std::string& name,
                                               const host::Ref<host::FeatureClass>& featureClass) {
    auto layer = host::New<host::FeatureLayer>();
    layer->SetFeatureClass(featureClass);
    layer->SetName(name);
    return layer;
}

// Square parcels 100 wide in a row from x = 0, named P1, P2, ...
inline host::Ref<host::FeatureClass> Squares(int count) {
    std::vector<std::pair<std::string, std::string>> parcels;
    for (int i = 0; i < count; ++i) {
        std::string x0 = std::to_string(i * 100), x1 = std::to_string(i * 100 + 100);
        parcels.emplace_back("P" + std::to_string(i + 1),
                             "POLYGON((" + x0 + " 0," + x1 + " 0," + x1 + " 100," + x0 + " 100," + x0 + " 0))");
    }
    return MakeClass("Squares", 4, parcels);
}

}  // namespace carto_test
