#include "host/data/DataSource.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <gdal.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <map>
#include <mutex>

#include "host/core/RuntimeError.h"
#include "host/data/FeatureClass.h"
#include "host/data/Field.h"
#include "host/data/Fields.h"
#include "host/data/QuietErrors.h"
#include "host/data/Table.h"
#include "host/geometry/Geometry.h"
#include "host/geometry/GeosGeometry.h"
#include "host/geometry/SpatialReference.h"

namespace host {

namespace {

std::string LastGdalError() {
    const char* message = CPLGetLastErrorMsg();
    return message != nullptr && *message != '\0' ? std::string(" (") + message + ")" : std::string();
}

struct FeatureHandle {
    explicit FeatureHandle(OGRFeatureH f) : feature(f) {}
    ~FeatureHandle() {
        if (feature != nullptr) OGR_F_Destroy(feature);
    }
    FeatureHandle(const FeatureHandle&) = delete;
    FeatureHandle& operator=(const FeatureHandle&) = delete;
    OGRFeatureH feature;
};

struct GeometryHandle {
    explicit GeometryHandle(OGRGeometryH g) : geometry(g) {}
    ~GeometryHandle() {
        if (geometry != nullptr) OGR_G_DestroyGeometry(geometry);
    }
    GeometryHandle(const GeometryHandle&) = delete;
    GeometryHandle& operator=(const GeometryHandle&) = delete;
    OGRGeometryH geometry;
};

// The host's field type for an OGR field.
long HostFieldType(OGRFieldDefnH definition) {
    OGRFieldSubType subtype = OGR_Fld_GetSubType(definition);
    switch (OGR_Fld_GetType(definition)) {
    case OFTInteger: return subtype == OFSTInt16 ? FieldType::SmallInteger : FieldType::Integer;
    case OFTInteger64: return FieldType::Double;
    case OFTReal: return subtype == OFSTFloat32 ? FieldType::Single : FieldType::Double;
    case OFTDate:
    case OFTDateTime: return FieldType::Date;
    case OFTBinary: return FieldType::Blob;
    default: return FieldType::String;  // strings, times and lists (read as their text)
    }
}

Value ReadValue(OGRFeatureH feature, int index, OGRFieldType type, OGRFieldSubType subtype) {
    if (OGR_F_IsFieldSetAndNotNull(feature, index) == 0) return {};
    switch (type) {
    case OFTInteger: return Value(std::int64_t{OGR_F_GetFieldAsInteger(feature, index)});
    case OFTInteger64: return Value(std::int64_t{OGR_F_GetFieldAsInteger64(feature, index)});
    case OFTReal: {
        double d = OGR_F_GetFieldAsDouble(feature, index);
        return subtype == OFSTFloat32 ? Value(static_cast<float>(d)) : Value(d);
    }
    case OFTDate:
    case OFTDateTime: {
        Date date;
        float second = 0;
        int tz = 0;
        if (OGR_F_GetFieldAsDateTimeEx(feature, index, &date.year, &date.month, &date.day, &date.hour, &date.minute,
                                       &second, &tz) == 0) {
            return Value(std::string(OGR_F_GetFieldAsString(feature, index)));
        }
        date.second = second;
        return Value(date);
    }
    case OFTBinary: {
        int size = 0;
        const GByte* bytes = OGR_F_GetFieldAsBinary(feature, index, &size);
        return Value(Blob(bytes, bytes + size));
    }
    default: return Value(std::string(OGR_F_GetFieldAsString(feature, index)));
    }
}

long ShapeTypeOf(OGRwkbGeometryType type) {
    switch (wkbFlatten(type)) {
    case wkbPoint: return GeometryTypeCode::Point;
    case wkbMultiPoint: return GeometryTypeCode::Multipoint;
    case wkbLineString:
    case wkbMultiLineString:
    case wkbCircularString:
    case wkbCompoundCurve:
    case wkbMultiCurve: return GeometryTypeCode::Polyline;
    case wkbPolygon:
    case wkbMultiPolygon:
    case wkbCurvePolygon:
    case wkbMultiSurface:
    case wkbTriangle:
    case wkbTIN:
    case wkbPolyhedralSurface: return GeometryTypeCode::Polygon;
    default: return GeometryTypeCode::Null;
    }
}

// A layer of unknown or mixed geometry takes the type of its first shape.
long ShapeTypeOf(OGRLayerH layer) {
    long type = ShapeTypeOf(OGR_L_GetGeomType(layer));
    if (type != GeometryTypeCode::Null) return type;
    OGR_L_ResetReading(layer);
    for (;;) {
        FeatureHandle f(OGR_L_GetNextFeature(layer));
        if (f.feature == nullptr) break;
        OGRGeometryH g = OGR_F_GetGeometryRef(f.feature);
        if (g != nullptr && OGR_G_IsEmpty(g) == 0) {
            type = ShapeTypeOf(OGR_G_GetGeometryType(g));
            if (type != GeometryTypeCode::Null) break;
        }
    }
    OGR_L_ResetReading(layer);
    return type == GeometryTypeCode::Null ? GeometryTypeCode::Polygon : type;
}

Ref<SpatialReference> ReferenceOf(OGRLayerH layer) {
    OGRSpatialReferenceH srs = OGR_L_GetSpatialRef(layer);
    if (srs == nullptr) return New<SpatialReference>();
    char* wkt = nullptr;
    std::string text;
    if (OSRExportToWkt(srs, &wkt) == OGRERR_NONE && wkt != nullptr) text = wkt;
    CPLFree(wkt);
    const char* name = OSRGetName(srs);
    const char* code = OSRGetAuthorityCode(srs, nullptr);
    return New<SpatialReference>(name != nullptr ? name : "", std::move(text),
                                 code != nullptr ? std::strtol(code, nullptr, 10) : 0);
}

// True when every coordinate of the geometry is a number GEOS can compute with: finite, and
// small enough that the product of two coordinates stays finite. A NaN, an infinity or a
// coordinate near the largest double (a damaged file; no coordinate system comes near
// 1e150) makes GEOS crash when the shape is buffered.
bool UsableCoordinates(OGRGeometryH geometry) {
    const int parts = OGR_G_GetGeometryCount(geometry);
    for (int i = 0; i < parts; ++i) {
        if (!UsableCoordinates(OGR_G_GetGeometryRef(geometry, i))) return false;
    }
    auto usable = [](double c) { return std::fabs(c) <= 1e150; };  // false for NaN too
    const int points = OGR_G_GetPointCount(geometry);
    for (int i = 0; i < points; ++i) {
        if (!usable(OGR_G_GetX(geometry, i)) || !usable(OGR_G_GetY(geometry, i))) return false;
    }
    return true;
}

// The shape of an OGR geometry as a GEOS geometry: curves become lines, Z and M are
// dropped, rings left open are closed. A geometry GEOS still cannot take, or one with a
// coordinate it cannot compute with, is kept empty.
GeosGeometry ShapeOf(OGRGeometryH source) {
    if (source == nullptr || OGR_G_IsEmpty(source) != 0) return {};
    GeometryHandle converted(nullptr);
    OGRGeometryH g = source;
    if (OGR_G_HasCurveGeometry(source, TRUE) != 0) {
        converted.geometry = OGR_G_GetLinearGeometry(source, 0, nullptr);
        g = converted.geometry;
    }
    if (g != nullptr && (OGR_G_Is3D(g) != 0 || OGR_G_IsMeasured(g) != 0)) {
        if (converted.geometry == nullptr) {
            converted.geometry = OGR_G_Clone(g);
            g = converted.geometry;
        }
        OGR_G_FlattenTo2D(g);
        OGR_G_SetMeasured(g, FALSE);
    }
    if (g == nullptr || !UsableCoordinates(g)) return {};
    auto toGeos = [](OGRGeometryH geometry) -> GeosGeometry {
        std::vector<unsigned char> wkb(static_cast<std::size_t>(OGR_G_WkbSizeEx(geometry)));
        if (OGR_G_ExportToWkb(geometry, wkbNDR, wkb.data()) != OGRERR_NONE) return {};
        try {
            return GeosGeometry::FromWkb(wkb.data(), wkb.size());
        } catch (const RuntimeError&) {
            return {};
        }
    };
    GeosGeometry shape = toGeos(g);
    if (!shape) {
        GeometryHandle closed(OGR_G_Clone(g));
        OGR_G_CloseRings(closed.geometry);
        shape = toGeos(closed.geometry);
    }
    return shape;
}

// A field name not yet taken (ignoring case): the name itself, else with _1, _2, ...
std::string FreeName(const Fields& fields, const std::string& name) {
    if (fields.FindField(name) < 0) return name;
    for (int n = 1;; ++n) {
        std::string candidate = name + "_" + std::to_string(n);
        if (fields.FindField(candidate) < 0) return candidate;
    }
}

// A layer's fields as the host shows them: the id field, the geometry field when the layer
// has shapes, then the attributes; with each attribute's OGR type for reading its values.
struct LayerFields {
    Ref<Fields> fields = New<Fields>();
    int attributeCount = 0;
    long firstAttribute = 0;
    std::vector<OGRFieldType> types;
    std::vector<OGRFieldSubType> subtypes;
};

LayerFields ReadLayerFields(OGRLayerH layer, OGRFeatureDefnH definition, const std::string& driver, bool hasShapes) {
    LayerFields read;
    Ref<Fields>& fields = read.fields;
    std::vector<std::string> attributeNames;
    const int attributeCount = read.attributeCount = OGR_FD_GetFieldCount(definition);
    for (int i = 0; i < attributeCount; ++i)
        attributeNames.emplace_back(OGR_Fld_GetNameRef(OGR_FD_GetFieldDefn(definition, i)));
    // The id field keeps the dataset's FID column name; a name the host makes up gives way
    // to an attribute of that name. The geometry field is always "Shape": an attribute of
    // that name is renamed.
    std::string oidName = OGR_L_GetFIDColumn(layer);
    if (oidName.empty()) {
        Fields taken;
        for (const auto& attribute : attributeNames) taken.AddField(New<Field>(attribute, FieldType::String));
        oidName = FreeName(taken, driver == "ESRI Shapefile" ? "FID" : "OBJECTID");
    }
    fields->AddField(New<Field>(oidName, FieldType::OID));
    if (hasShapes) fields->AddField(New<Field>(FreeName(*fields, "Shape"), FieldType::Geometry));
    read.firstAttribute = fields->FieldCount();
    for (int i = 0; i < attributeCount; ++i) {
        OGRFieldDefnH field = OGR_FD_GetFieldDefn(definition, i);
        read.types.push_back(OGR_Fld_GetType(field));
        read.subtypes.push_back(OGR_Fld_GetSubType(field));
        fields->AddField(
            New<Field>(FreeName(*fields, attributeNames[static_cast<std::size_t>(i)]), HostFieldType(field)));
    }
    return read;
}

Ref<Table> LoadLayer(OGRLayerH layer, const std::string& driver) {
    QuietErrors quiet;
    std::string name = OGR_L_GetName(layer);
    OGRFeatureDefnH definition = OGR_L_GetLayerDefn(layer);
    bool hasShapes = OGR_FD_GetGeomFieldCount(definition) > 0 && OGR_L_GetGeomType(layer) != wkbNone;
    const auto [fields, attributeCount, firstAttribute, types, subtypes] =
        ReadLayerFields(layer, definition, driver, hasShapes);

    Ref<Table> table;
    Ref<FeatureClass> featureClass;
    if (hasShapes) {
        featureClass = New<FeatureClass>(name, fields, 0, 1, ShapeTypeOf(layer), ReferenceOf(layer));
        table = featureClass;
    } else {
        table = New<Table>(name, fields, 0);
    }
    GIntBig count = OGR_L_GetFeatureCount(layer, FALSE);
    if (count > 0) table->Reserve(static_cast<std::size_t>(count));

    OGR_L_ResetReading(layer);
    std::int64_t nextId = 0;
    for (;;) {
        FeatureHandle f(OGR_L_GetNextFeature(layer));
        if (f.feature == nullptr) break;
        GIntBig fid = OGR_F_GetFID(f.feature);
        const std::int64_t oid = fid == OGRNullFID ? nextId : std::int64_t{fid};
        // The next id for a feature without one; the largest id has no next (a feature
        // without an id after it then repeats an id, which the table refuses).
        if (oid >= nextId) nextId = oid < std::numeric_limits<std::int64_t>::max() ? oid + 1 : oid;
        std::vector<Value> values(static_cast<std::size_t>(fields->FieldCount()));
        values[0] = Value(oid);
        for (int i = 0; i < attributeCount; ++i) {
            values[static_cast<std::size_t>(firstAttribute + i)] =
                ReadValue(f.feature, i, types[static_cast<std::size_t>(i)], subtypes[static_cast<std::size_t>(i)]);
        }
        if (featureClass) {
            featureClass->AddFeature(std::move(values), ShapeOf(OGR_F_GetGeometryRef(f.feature)));
        } else {
            table->AddRow(std::move(values));
        }
    }
    // A feature OGR cannot read is reported and passed over by the driver; a layer that
    // ends early is an error, not a shorter table.
    if (count >= 0 && static_cast<GIntBig>(table->Size()) != count) {
        Raise(err::AutomationError, "The layer " + name + " could not be read whole" + LastGdalError() + ".");
    }
    if (featureClass) featureClass->BuildIndex();
    return table;
}

}  // namespace

struct DataSource::Impl {
    ~Impl() {
        if (dataset != nullptr) GDALClose(dataset);
    }
    std::string path;
    GDALDatasetH dataset = nullptr;
    std::string driver;
    std::vector<std::string> names;
    std::map<std::string, Ref<host::Table>> loaded;
};

DataSource::DataSource(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

DataSource::~DataSource() = default;

Ref<DataSource> DataSource::Open(const std::string& path) {
    static std::once_flag registered;
    std::call_once(registered, [] { GDALAllRegister(); });
    std::error_code ec;
    if (path.rfind("/vsi", 0) != 0 && !std::filesystem::exists(path, ec)) {
        Raise(err::FileNotFound, "File not found: " + path);
    }

    QuietErrors quiet;
    auto impl = std::make_unique<Impl>();
    impl->path = path;
    impl->dataset = GDALOpenEx(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr);
    if (impl->dataset == nullptr) {
        Raise(err::AutomationError, "The data source " + path + " could not be opened" + LastGdalError() + ".");
    }
    GDALDriverH driver = GDALGetDatasetDriver(impl->dataset);
    impl->driver = driver != nullptr ? GDALGetDriverShortName(driver) : "";
    int layers = GDALDatasetGetLayerCount(impl->dataset);
    for (int i = 0; i < layers; ++i) impl->names.emplace_back(OGR_L_GetName(GDALDatasetGetLayer(impl->dataset, i)));
    return Ref<DataSource>(std::make_shared<DataSource>(std::move(impl)));
}

const std::string& DataSource::Path() const { return impl_->path; }

std::vector<std::string> DataSource::LayerNames() const { return impl_->names; }

Ref<Table> DataSource::Table(const std::string& name) {
    for (std::size_t i = 0; i < impl_->names.size(); ++i) {
        const std::string& layerName = impl_->names[i];
        if (!EqualIgnoringCase(layerName, name)) continue;
        auto it = impl_->loaded.find(layerName);
        if (it != impl_->loaded.end()) return it->second;
        OGRLayerH layer = GDALDatasetGetLayer(impl_->dataset, static_cast<int>(i));
        Ref<host::Table> table = LoadLayer(layer, impl_->driver);
        impl_->loaded.emplace(layerName, table);
        return table;
    }
    Raise(err::AutomationError, "The data source " + impl_->path + " has no layer " + name + ".");
}

std::vector<Ref<Table>> DataSource::Tables() {
    std::vector<Ref<host::Table>> tables;
    for (const std::string& name : impl_->names) tables.push_back(Table(name));
    return tables;
}

}  // namespace host
