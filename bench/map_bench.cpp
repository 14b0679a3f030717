// Map benchmarks: loading a map with its spatial index, filling the search list from a
// field, and a spatial selection by the union of one 300-foot buffer, on the Cambridge
// parcels and on synthetic towns of 100 thousand and 1 million parcels.
//
// The maps are those of BenchData.h: the towns are generated on the first run and reused
// afterwards (generating a million parcels takes a few minutes); a benchmark whose map
// cannot be had is skipped with what it needs. Memory figures read /proc/self/status: run
// one load benchmark per process for clean ones, e.g.
//
//   map_bench --benchmark_filter='TownLoad/1000000'

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "bench/BenchData.h"
#include "extension/command/Globals.h"
#include "extension/shared/Tovalin_ArcMap.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/Map.h"
#include "host/carto/MapDocumentFile.h"
#include "host/carto/MxDocument.h"
#include "host/carto/StandaloneTable.h"
#include "host/data/Feature.h"
#include "host/data/FeatureClass.h"
#include "host/data/SelectionSet.h"
#include "host/data/SpatialFilter.h"
#include "host/forms/Form.h"
#include "host/forms/ListBox.h"
#include "host/framework/Application.h"
#include "host/framework/StatusBar.h"
#include "host/framework/StepProgressor.h"
#include "host/geometry/Geometry.h"
#include "host/geometry/GeometryBag.h"
#include "host/geometry/Polygon.h"

namespace {

namespace fs = std::filesystem;
using benchdata::LoadOrSkip;

constexpr double kBufferFeet = 300;

// A value of /proc/self/status in MiB ("VmRSS", "VmHWM"); 0 where there is none.
double StatusMiB(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == key + ":") {
            double kib = 0;
            status >> kib;
            return kib / 1024.0;
        }
    }
    return 0;
}

host::Ref<host::FeatureLayer> ParcelsOf(const host::Ref<host::MxDocument>& document) {
    const host::Ref<host::Map> map = document->FocusMap();
    for (const host::Ref<host::FeatureLayer>& layer : map->FeatureLayers())
        if (layer->Name() == "Parcels") return layer;
    throw std::runtime_error("the map has no Parcels layer");
}

// Cambridge as an assessor works with it: the dataset opened whole, Assessing joined to
// Parcels on ML.
host::Ref<host::MxDocument> LoadCambridge() {
    host::Ref<host::MxDocument> document = host::MapDocumentFile::OpenDataset(benchdata::ExistingCambridgeFile());
    const host::Ref<host::StandaloneTable> assessing = document->FocusMap()->FindStandaloneTable("Assessing");
    ParcelsOf(document)->SetJoin({"ML", "Assessing", "ML"}, assessing->Table());
    return document;
}

// Maps loaded once for the benchmarks that only read them.
host::Ref<host::MxDocument> CachedMap(std::int64_t parcels) {
    static std::map<std::int64_t, host::Ref<host::MxDocument>> maps;
    host::Ref<host::MxDocument>& document = maps[parcels];
    if (!document)
        document = parcels == 0 ? LoadCambridge() : host::MapDocumentFile::Read(benchdata::TownDocument(parcels));
    return document;
}

// The map of that many parcels (0: Cambridge), or nothing when the benchmark is skipped.
host::Ref<host::MxDocument> MapOrSkip(benchmark::State& state, std::int64_t parcels) {
    return LoadOrSkip(state, parcels, [&] { return CachedMap(parcels); });
}

// The Parcels layer of that map, or nothing when the benchmark is skipped.
host::Ref<host::FeatureLayer> ParcelsOrSkip(benchmark::State& state, std::int64_t parcels) {
    const host::Ref<host::MxDocument> document = MapOrSkip(state, parcels);
    return document ? ParcelsOf(document) : nullptr;
}

// The host as the extension sees it: a running application whose document is the map.
void UseDocument(const host::Ref<host::MxDocument>& document) {
    if (!host::Application::Running()) host::Application::Launch();
    gApplication = host::Application::Running();
    gApplication->SetDocument(document);
    gMxDocument = document;
}

// The union of the 300-foot buffer of one parcel, as the buffer-and-select pipeline makes it.
host::Ref<host::Polygon> BufferUnion(const host::Ref<host::FeatureLayer>& layer, long oid) {
    auto bag = host::New<host::GeometryBag>();
    bag->AddGeometry(layer->FeatureClass()->GetFeature(oid)->Shape()->Buffer(kBufferFeet));
    auto polygon = host::New<host::Polygon>();
    polygon->ConstructUnion(bag);
    return polygon;
}

// A new selection of the layer's features that intersect the polygon.
long SelectWithin(const host::Ref<host::FeatureLayer>& layer, const host::Ref<host::Polygon>& polygon) {
    auto filter = host::New<host::SpatialFilter>();
    filter->SetGeometry(polygon);
    filter->SetGeometryField(layer->FeatureClass()->ShapeFieldName());
    filter->SetSpatialRel(host::SpatialRelation::Intersects);
    layer->SelectFeatures(filter, host::SelectionResult::New, false);
    return layer->SelectionSet()->Count();
}

// The parcel whose buffer is selected by: one in the middle of the map.
long MiddleParcel(const host::Ref<host::FeatureLayer>& layer) {
    return static_cast<long>(layer->FeatureClass()->FeatureCount(nullptr) / 2);
}

class SearchListForm : public host::Form {
public:
    SearchListForm() : host::Form("frmBench") { List1.SetSorted(true); }
    host::ListBox List1{*this, "List1"};
};

// ---- Cambridge ----

void CambridgeLoad(benchmark::State& state) {
    if (LoadOrSkip(state, 0, benchdata::ExistingCambridgeFile).empty()) return;
    double rss = 0;
    for (auto _ : state) {
        const double before = StatusMiB("VmRSS");
        host::Ref<host::MxDocument> document = LoadCambridge();
        // The first load takes the memory; later ones reuse what the last one freed.
        rss = std::max(rss, StatusMiB("VmRSS") - before);
        benchmark::DoNotOptimize(document);
    }
    state.counters["rss_MiB"] = rss;
    state.counters["peak_MiB"] = StatusMiB("VmHWM");
}
BENCHMARK(CambridgeLoad)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The search list of frmMain (a sorted list) filled from a field of the joined display
// table, with the progress bar shown.
void CambridgeSearchListFill(benchmark::State& state, const std::string& field) {
    const host::Ref<host::MxDocument> document = MapOrSkip(state, 0);
    if (!document) return;
    UseDocument(document);
    auto form = host::New<SearchListForm>();
    for (auto _ : state) {
        LoadListWithUniqueFieldValues("Parcels", field, form->List1, true, nullptr);
        gApplication->StatusBar()->ProgressBar()->ClearHistory();
    }
    state.counters["values"] = static_cast<double>(form->List1.ListCount());
}
BENCHMARK_CAPTURE(CambridgeSearchListFill, ML, std::string("Parcels.ML"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CambridgeSearchListFill, UseDescription, std::string("Assessing.UseDescription"))
    ->Unit(benchmark::kMillisecond);

void CambridgeBufferUnion(benchmark::State& state) {
    const host::Ref<host::FeatureLayer> parcels = ParcelsOrSkip(state, 0);
    if (!parcels) return;
    const long oid = MiddleParcel(parcels);
    for (auto _ : state) benchmark::DoNotOptimize(BufferUnion(parcels, oid));
}
BENCHMARK(CambridgeBufferUnion)->Unit(benchmark::kMicrosecond);

void CambridgeSelectWithin(benchmark::State& state) {
    const host::Ref<host::FeatureLayer> parcels = ParcelsOrSkip(state, 0);
    if (!parcels) return;
    const host::Ref<host::Polygon> polygon = BufferUnion(parcels, MiddleParcel(parcels));
    long selected = 0;
    for (auto _ : state) selected = SelectWithin(parcels, polygon);
    state.counters["selected"] = static_cast<double>(selected);
}
BENCHMARK(CambridgeSelectWithin)->Unit(benchmark::kMicrosecond);

// ---- Synthetic towns ----

void TownLoad(benchmark::State& state) {
    const fs::path document =
        LoadOrSkip(state, state.range(0), [&] { return benchdata::TownDocument(state.range(0)); });
    if (document.empty()) return;
    double rss = 0;
    for (auto _ : state) {
        const double before = StatusMiB("VmRSS");
        host::Ref<host::MxDocument> map = host::MapDocumentFile::Read(document);
        // The first load takes the memory; later ones reuse what the last one freed.
        rss = std::max(rss, StatusMiB("VmRSS") - before);
        benchmark::DoNotOptimize(map);
    }
    state.counters["rss_MiB"] = rss;
    state.counters["peak_MiB"] = StatusMiB("VmHWM");
}
BENCHMARK(TownLoad)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void TownBufferUnion(benchmark::State& state) {
    const host::Ref<host::FeatureLayer> parcels = ParcelsOrSkip(state, state.range(0));
    if (!parcels) return;
    const long oid = MiddleParcel(parcels);
    for (auto _ : state) benchmark::DoNotOptimize(BufferUnion(parcels, oid));
}
BENCHMARK(TownBufferUnion)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

void TownSelectWithin(benchmark::State& state) {
    const host::Ref<host::FeatureLayer> parcels = ParcelsOrSkip(state, state.range(0));
    if (!parcels) return;
    const host::Ref<host::Polygon> polygon = BufferUnion(parcels, MiddleParcel(parcels));
    long selected = 0;
    for (auto _ : state) selected = SelectWithin(parcels, polygon);
    state.counters["selected"] = static_cast<double>(selected);
}
BENCHMARK(TownSelectWithin)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

// The search list filled from a field of the display table: the owner names of the joined
// Owners table (tens of thousands of distinct values) or the parcel ids (every value
// distinct). The second argument is 1 for a sorted list as frmMain has, 0 for an unsorted
// one, which shows what the sorted insertion costs.
void TownSearchListFill(benchmark::State& state, const std::string& field) {
    const host::Ref<host::MxDocument> document = MapOrSkip(state, state.range(0));
    if (!document) return;
    UseDocument(document);
    auto form = host::New<SearchListForm>();
    form->List1.SetSorted(state.range(1) != 0);
    for (auto _ : state) {
        LoadListWithUniqueFieldValues("Parcels", field, form->List1, true, nullptr);
        gApplication->StatusBar()->ProgressBar()->ClearHistory();
    }
    state.counters["values"] = static_cast<double>(form->List1.ListCount());
}
BENCHMARK_CAPTURE(TownSearchListFill, OwnerName, std::string("Owners.OWNER_NAME"))
    ->ArgsProduct({{100'000, 1'000'000}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(TownSearchListFill, ParcelId, std::string("Parcels.PARCEL_ID"))
    ->ArgsProduct({{100'000, 1'000'000}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
