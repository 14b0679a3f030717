#include "host/carto/MapDocumentFile.h"

#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "host/carto/FeatureLayer.h"
#include "host/carto/GroupLayer.h"
#include "host/carto/Map.h"
#include "host/carto/MissingSourceLayer.h"
#include "host/carto/MxDocument.h"
#include "host/carto/StandaloneTable.h"
#include "host/core/ErrorTrap.h"
#include "host/core/RuntimeError.h"
#include "host/data/DataSource.h"
#include "host/data/FeatureClass.h"
#include "host/geometry/Envelope.h"
#include "host/geometry/SpatialReference.h"

namespace host {

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

constexpr int kVersion = 1;
// Map documents are small; a JSON file larger than this is taken for a dataset.
constexpr std::uintmax_t kLargestDocument = 4 * 1024 * 1024;
// Group layers are read by recursion; a file nesting them deeper than any map would is
// refused rather than followed until the stack runs out.
constexpr int kDeepestGroup = 100;

[[noreturn]] void Bad(const fs::path& file, const std::string& what) {
    Raise(err::InvalidProcedureCall, "Not a map document: " + file.string() + ": " + what);
}

// Reads the members of one JSON object, with the file named in every complaint.
class Entry {
public:
    Entry(const json& value, const fs::path& file, std::string where)
        : value_(value), file_(file), where_(std::move(where)) {
        if (!value_.is_object()) Bad(file_, where_ + " is not an object");
    }

    std::optional<std::string> Text(const char* key) const {
        auto it = value_.find(key);
        if (it == value_.end() || it->is_null()) return std::nullopt;
        if (!it->is_string()) Bad(file_, where_ + ": \"" + key + "\" is not a text");
        return it->get<std::string>();
    }
    std::string RequiredText(const char* key) const {
        std::optional<std::string> text = Text(key);
        if (!text) Bad(file_, where_ + ": \"" + key + "\" is missing");
        return *text;
    }
    bool Flag(const char* key, bool otherwise) const {
        auto it = value_.find(key);
        if (it == value_.end() || it->is_null()) return otherwise;
        if (!it->is_boolean()) Bad(file_, where_ + ": \"" + key + "\" is not true or false");
        return it->get<bool>();
    }
    const json* Array(const char* key) const {
        auto it = value_.find(key);
        if (it == value_.end() || it->is_null()) return nullptr;
        if (!it->is_array()) Bad(file_, where_ + ": \"" + key + "\" is not a list");
        return &*it;
    }
    const json* Object(const char* key) const {
        auto it = value_.find(key);
        if (it == value_.end() || it->is_null()) return nullptr;
        if (!it->is_object()) Bad(file_, where_ + ": \"" + key + "\" is not an object");
        return &*it;
    }
    const fs::path& File() const { return file_; }
    const std::string& Where() const { return where_; }

private:
    const json& value_;
    const fs::path& file_;
    std::string where_;
};

// Opens each dataset once, however many layers name it, and remembers the ones that fail.
class Sources {
public:
    explicit Sources(const fs::path& file) : file_(file), folder_(fs::absolute(file).parent_path()) {}

    const fs::path& File() const { return file_; }

    // The source an entry names, its path made absolute; an empty source when it names none.
    SourceName Of(const Entry& entry) const {
        std::optional<std::string> path = entry.Text("source");
        std::string layer = entry.Text("layer").value_or("");
        if (!path || path->empty()) return SourceName{{}, layer};
        return Resolve(*path, layer);
    }

    SourceName Resolve(const std::string& path, const std::string& layer) const {
        fs::path p(path);
        if (p.is_relative()) p = folder_ / p;
        return SourceName{p.lexically_normal().string(), layer};
    }

    // The table the source names; raises a run-time error saying why it cannot be had.
    Ref<Table> Open(const SourceName& source) {
        auto it = opened_.find(source.path);
        if (it == opened_.end()) {
            Ref<DataSource> dataSource;
            std::string failure;
            if (!Trap([&] { dataSource = DataSource::Open(source.path); },
                      [&](const RuntimeError& e) { failure = e.Description(); })) {
                it = opened_.emplace(source.path, Opened{nullptr, failure}).first;
            } else {
                it = opened_.emplace(source.path, Opened{dataSource, {}}).first;
            }
        }
        const Opened& opened = it->second;
        if (!opened.dataSource) Raise(err::FileNotFound, opened.failure);
        if (!source.layer.empty()) return opened.dataSource->Table(source.layer);
        std::vector<std::string> names = opened.dataSource->LayerNames();
        if (names.size() != 1) {
            Raise(err::InvalidProcedureCall,
                  source.path + " holds " + std::to_string(names.size()) + " layers; the map document must name one");
        }
        return opened.dataSource->Table(names.front());
    }

private:
    struct Opened {
        Ref<DataSource> dataSource;
        std::string failure;
    };
    fs::path file_;
    fs::path folder_;
    std::map<std::string, Opened> opened_;
};

// The map's coordinate system while its layers load: the one the document names, else the
// first one a feature layer brings. Every later feature class in another system is
// transformed into it, once however many layers show it.
class MapSystem {
public:
    explicit MapSystem(Ref<SpatialReference> named) : system_(std::move(named)) {}

    const Ref<SpatialReference>& System() const { return system_; }

    // The feature class in the map's coordinate system; raises, saying so, when it cannot be
    // transformed. A class without a system is taken to be in the map's.
    Ref<FeatureClass> Into(const Ref<FeatureClass>& featureClass) {
        Ref<SpatialReference> own = featureClass->SpatialReference();
        if (!own || own->IsUnknown()) return featureClass;
        if (!system_) {
            system_ = own;
            return featureClass;
        }
        if (system_->IsSame(*own)) return featureClass;
        Ref<FeatureClass>& projected = projected_[featureClass.raw()];
        if (!projected) {
            Trap([&] { projected = featureClass->Projected(system_); },
                 [&](const RuntimeError& e) {
                     Raise(err::InvalidProcedureCall, "Its data in " + own->Name() +
                                                          " cannot be transformed into the map's coordinate system " +
                                                          system_->Name() + ": " + e.Description());
                 });
        }
        return projected;
    }

private:
    Ref<SpatialReference> system_;
    std::map<const FeatureClass*, Ref<FeatureClass>> projected_;
};

// The coordinate system the document names, as GDAL reads the definition: an EPSG code (a
// number, or a text of digits) or any text GDAL takes. Nothing when it names none.
Ref<SpatialReference> ReadCoordinateSystem(const json& root, const fs::path& file, std::string& definition) {
    auto it = root.find("coordinate_system");
    if (it == root.end() || it->is_null()) return nullptr;
    if (it->is_number_integer()) {
        definition = "EPSG:" + std::to_string(it->get<long long>());
    } else if (it->is_string()) {
        definition = it->get<std::string>();
        if (!definition.empty() && definition.find_first_not_of("0123456789") == std::string::npos) {
            definition = "EPSG:" + definition;
        }
    } else {
        Bad(file, "\"coordinate_system\" is not an EPSG code or a text");
    }
    Ref<SpatialReference> system;
    if (!ResumeNext([&] { system = SpatialReference::FromUserInput(definition); })) {
        Bad(file, "\"coordinate_system\" is not a coordinate system GDAL reads: " + definition);
    }
    return system;
}

std::optional<JoinSpec> ReadJoin(const Entry& entry) {
    const json* join = entry.Object("join");
    if (!join) return std::nullopt;
    Entry j(*join, entry.File(), entry.Where() + " join");
    return JoinSpec{j.RequiredText("key"), j.RequiredText("table"), j.RequiredText("table_key")};
}

Ref<Layer> ReadLayer(const json& value, const std::string& where, Sources& sources, const Map& map, MapSystem& system,
                     int depth = 0) {
    Entry entry(value, sources.File(), where);
    std::string name = entry.RequiredText("name");
    bool visible = entry.Flag("visible", true);

    if (const json* members = entry.Array("group")) {
        if (depth >= kDeepestGroup) {
            Bad(sources.File(), "group layers are nested more than " + std::to_string(kDeepestGroup) + " deep");
        }
        auto group = New<GroupLayer>();
        group->SetName(name);
        group->SetVisible(visible);
        for (std::size_t i = 0; i < members->size(); ++i) {
            group->Add(
                ReadLayer((*members)[i], where + " member " + std::to_string(i + 1), sources, map, system, depth + 1));
        }
        return group;
    }

    SourceName source = sources.Of(entry);
    std::optional<JoinSpec> join = ReadJoin(entry);
    Ref<Layer> layer;
    std::string failure;
    bool opened = Trap(
        [&] {
            if (source.path.empty()) Raise(err::FileNotFound, "The layer names no source");
            Ref<Table> table = sources.Open(source);
            if (!Is<FeatureClass>(table)) Raise(err::TypeMismatch, table->Name() + " has no geometry");
            auto featureLayer = New<FeatureLayer>();
            featureLayer->SetFeatureClass(system.Into(As<FeatureClass>(table)));
            if (join) {
                Ref<StandaloneTable> joined = map.FindStandaloneTable(join->table);
                Ref<Table> other = joined ? joined->Table() : nullptr;
                // A join that cannot be made is kept, joining nothing.
                if (!ResumeNext([&] { featureLayer->SetJoin(*join, other); })) featureLayer->SetJoin(*join, nullptr);
            }
            layer = featureLayer;
        },
        [&](const RuntimeError& e) { failure = e.Description(); });
    if (!opened) {
        auto missing = New<MissingSourceLayer>(name, source, failure);
        missing->SetJoin(join);
        layer = missing;
    }
    layer->SetName(name);
    layer->SetVisible(visible);
    layer->SetSource(source);
    return layer;
}

Ref<StandaloneTable> ReadTable(const json& value, const std::string& where, Sources& sources) {
    Entry entry(value, sources.File(), where);
    std::string name = entry.RequiredText("name");
    SourceName source = sources.Of(entry);
    Ref<Table> table;
    std::string failure;
    Trap(
        [&] {
            if (source.path.empty()) Raise(err::FileNotFound, "The table names no source");
            table = sources.Open(source);
        },
        [&](const RuntimeError& e) { failure = e.Description(); });
    return New<StandaloneTable>(name, table, source, failure);
}

json WriteSource(const SourceName& source, const fs::path& folder) {
    json entry = json::object();
    if (!source.path.empty()) {
        fs::path path(source.path);
        fs::path relative = path.is_absolute() ? path.lexically_relative(folder) : path;
        entry["source"] = (relative.empty() ? path : relative).generic_string();
    }
    if (!source.layer.empty()) entry["layer"] = source.layer;
    return entry;
}

json WriteLayer(const Ref<Layer>& layer, const fs::path& folder) {
    json entry = {{"name", layer->Name()}};
    std::optional<JoinSpec> join;
    if (Is<GroupLayer>(layer)) {
        auto group = As<GroupLayer>(layer);
        json members = json::array();
        for (long i = 0; i < group->Count(); ++i) members.push_back(WriteLayer(group->Layer(i), folder));
        entry["group"] = std::move(members);
    } else {
        entry.update(WriteSource(layer->Source(), folder));
        if (Is<FeatureLayer>(layer)) join = As<FeatureLayer>(layer)->Join();
        if (Is<MissingSourceLayer>(layer)) join = As<MissingSourceLayer>(layer)->Join();
    }
    if (join) entry["join"] = {{"key", join->key}, {"table", join->table}, {"table_key", join->tableKey}};
    if (!layer->Visible()) entry["visible"] = false;
    return entry;
}

std::string ReadWhole(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) Raise(err::FileNotFound, "File not found: " + file.string());
    std::ifstream in(file, std::ios::binary);
    if (!in) Raise(err::PermissionDenied, "Cannot read " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool LooksLikeMapDocument(const json& value) {
    return value.is_object() && !value.contains("type") && (value.contains("layers") || value.contains("version"));
}

// A map that names no extent shows all of its features; one without area (a single point)
// keeps no extent, and the view takes one of its own.
void ShowAllOf(Map& map) {
    Ref<Envelope> full = map.FullExtent();
    if (!full->IsEmpty() && full->Width() > 0 && full->Height() > 0) map.SetExtent(full);
}

Ref<MxDocument> FromJson(const json& root, const fs::path& file) {
    Entry top(root, file, "the document");
    if (auto it = root.find("version"); it != root.end()) {
        if (!it->is_number_integer() || it->get<long>() != kVersion) Bad(file, "version 1 is the only one known");
    }

    auto document = New<MxDocument>();
    document->SetFilePath(fs::absolute(file));
    Ref<Map> map = document->FocusMap();
    Sources sources(file);
    std::string definition;
    MapSystem system(ReadCoordinateSystem(root, file, definition));
    map->SetCoordinateSystemDefinition(definition);

    if (const json* tables = top.Array("tables")) {
        for (std::size_t i = 0; i < tables->size(); ++i) {
            map->AddStandaloneTable(ReadTable((*tables)[i], "table " + std::to_string(i + 1), sources));
        }
    }
    if (const json* layers = top.Array("layers")) {
        std::vector<Ref<Layer>> read;
        for (std::size_t i = 0; i < layers->size(); ++i) {
            read.push_back(ReadLayer((*layers)[i], "layer " + std::to_string(i + 1), sources, *map, system));
        }
        for (const Ref<Layer>& layer : read) map->AddLayer(layer);
    }
    map->SetSpatialReference(system.System());

    if (const json* extent = top.Array("extent")) {
        if (extent->size() != 4) Bad(file, "\"extent\" needs four numbers");
        double bounds[4];
        for (std::size_t i = 0; i < 4; ++i) {
            if (!(*extent)[i].is_number()) Bad(file, "\"extent\" needs four numbers");
            bounds[i] = (*extent)[i].get<double>();
        }
        auto envelope = New<Envelope>();
        if (!ResumeNext([&] {
                envelope->PutCoords(bounds[0], bounds[1], bounds[2], bounds[3]);
                map->SetExtent(envelope);
            })) {
            Bad(file, "\"extent\" needs four finite numbers around some area");
        }
    } else {
        ShowAllOf(*map);
    }
    return document;
}

}  // namespace

Ref<MxDocument> MapDocumentFile::Read(const fs::path& file) {
    json root = json::parse(ReadWhole(file), nullptr, false);
    if (root.is_discarded()) Bad(file, "the file is not JSON");
    return FromJson(root, file);
}

void MapDocumentFile::Write(const MxDocument& document, const fs::path& file) {
    fs::path folder = fs::absolute(file).parent_path();
    Ref<Map> map = document.FocusMap();

    json root = {{"version", kVersion}};
    if (!map->CoordinateSystemDefinition().empty()) root["coordinate_system"] = map->CoordinateSystemDefinition();
    if (Ref<Envelope> extent = map->Extent(); !extent->IsEmpty()) {
        root["extent"] = {extent->XMin(), extent->YMin(), extent->XMax(), extent->YMax()};
    }
    json layers = json::array();
    for (long i = 0; i < map->LayerCount(); ++i) layers.push_back(WriteLayer(map->Layer(i), folder));
    root["layers"] = std::move(layers);
    json tables = json::array();
    for (long i = 0; i < map->StandaloneTableCount(); ++i) {
        Ref<StandaloneTable> table = map->StandaloneTable(i);
        json entry = {{"name", table->Name()}};
        entry.update(WriteSource(table->Source(), folder));
        tables.push_back(std::move(entry));
    }
    root["tables"] = std::move(tables);

    std::error_code ec;
    if (!fs::is_directory(folder, ec)) Raise(err::PathNotFound, "Path not found: " + folder.string());
    fs::path target = folder / file.filename();
    fs::path temporary = target;
    temporary += ".writing";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << root.dump(2) << '\n';
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temporary, ec);
            Raise(err::PathFileAccessError, "Cannot write " + target.string());
        }
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        fs::remove(temporary, ec);
        Raise(err::PathFileAccessError, "Cannot write " + target.string());
    }
}

Ref<MxDocument> MapDocumentFile::OpenDataset(const fs::path& dataset) {
    Ref<DataSource> dataSource = DataSource::Open(dataset.string());
    auto document = New<MxDocument>();
    Ref<Map> map = document->FocusMap();
    std::string path = fs::absolute(dataset).lexically_normal().string();
    document->SetFilePath(path);
    MapSystem system(nullptr);
    for (const std::string& name : dataSource->LayerNames()) {
        Ref<Table> table = dataSource->Table(name);
        if (Is<FeatureClass>(table)) {
            const SourceName source{path, name};
            Ref<FeatureClass> featureClass;
            std::string failure;
            Ref<Layer> layer;
            if (Trap([&] { featureClass = system.Into(As<FeatureClass>(table)); },
                     [&](const RuntimeError& e) { failure = e.Description(); })) {
                auto featureLayer = New<FeatureLayer>();
                featureLayer->SetFeatureClass(featureClass);
                featureLayer->SetName(name);
                featureLayer->SetSource(source);
                layer = featureLayer;
            } else {
                layer = New<MissingSourceLayer>(name, source, failure);
            }
            map->SetSpatialReference(system.System());
            map->AddLayer(layer);
        } else {
            map->AddStandaloneTable(New<StandaloneTable>(name, table, SourceName{path, name}));
        }
    }
    ShowAllOf(*map);
    return document;
}

Ref<MxDocument> MapDocumentFile::Open(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) Raise(err::FileNotFound, "File not found: " + path.string());
    if (fs::is_regular_file(path, ec)) {
        std::uintmax_t size = fs::file_size(path, ec);
        if (!ec && size <= kLargestDocument) {
            std::string text = ReadWhole(path);
            auto first = text.find_first_not_of(" \t\r\n");
            if (first != std::string::npos && text[first] == '{') {
                json root = json::parse(text, nullptr, false);
                if (!root.is_discarded() && LooksLikeMapDocument(root)) return FromJson(root, path);
            }
        }
    }
    return OpenDataset(path);
}

}  // namespace host
