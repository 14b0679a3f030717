// The list click of the main window, headless, from the handler's start to the count
// shown: one parcel of the map as the subject, buffered by 300 feet, the parcels around it
// selected, the view zoomed. On the Cambridge parcels (opened whole, and with Assessing
// joined on ML as an assessor works) and on synthetic towns of 100 thousand and 1 million
// parcels (Owners joined, as the town generator's map document has them). The hard cases on
// Cambridge click chosen subjects at their own distances.
//
// The maps are those of BenchData.h (the towns shared with the map benchmarks, generated on
// first use); a benchmark whose map cannot be had is skipped with what it needs.
// first_click_ms is the first click on the map, which also builds the lookup of the search
// field's values.
// Run with the median over repetitions, e.g.
//
//   pipeline_bench --benchmark_repetitions=15 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>

#include "bench/BenchData.h"
#include "extension/command/Globals.h"
#include "extension/mainwindow/frmMain.h"
#include "host/carto/FeatureLayer.h"
#include "host/carto/Map.h"
#include "host/carto/MapDocumentFile.h"
#include "host/carto/MxDocument.h"
#include "host/carto/StandaloneTable.h"
#include "host/data/FeatureClass.h"
#include "host/data/Row.h"
#include "host/framework/Application.h"
#include "host/framework/StatusBar.h"
#include "host/framework/StepProgressor.h"
#include "host/platform/HeadlessMessageBoxes.h"
#include "host/platform/MessageBoxes.h"

namespace {

// The main window without its settings load: the bench sets the shared values itself.
class BenchForm : public frmMain {
public:
    void Form_Load() override {}
};

host::Ref<host::FeatureLayer> Parcels(const host::Ref<host::MxDocument>& document) {
    for (const host::Ref<host::FeatureLayer>& layer : document->FocusMap()->FeatureLayers())
        if (layer->Name() == "Parcels") return layer;
    throw std::runtime_error("the map has no Parcels layer");
}

host::Ref<host::MxDocument> Cambridge(bool joined) {
    auto document = host::MapDocumentFile::OpenDataset(benchdata::ExistingCambridgeFile());
    if (joined) {
        const host::Ref<host::StandaloneTable> assessing = document->FocusMap()->FindStandaloneTable("Assessing");
        Parcels(document)->SetJoin({"ML", "Assessing", "ML"}, assessing->Table());
    }
    return document;
}

// The town of that many parcels, shared with the map benchmarks.
host::Ref<host::MxDocument> Town(std::int64_t parcels) {
    return host::MapDocumentFile::Read(benchdata::TownDocument(parcels));
}

// Clicks `value` of the buffer layer's search field again and again, with the parcels as the
// selection layer.
void Click(benchmark::State& state, const host::Ref<host::MxDocument>& document, const std::string& bufferLayer,
           const std::string& field, const std::string& value, const std::string& distance) {
    if (!host::Application::Running()) host::Application::Launch();
    gApplication = host::Application::Running();
    gApplication->SetDocument(document);
    gMxDocument = document;
    auto messages = std::make_shared<host::HeadlessMessageBoxes>();
    host::MessageBoxes::Install(messages);

    auto form = host::New<BenchForm>();
    form->Load();
    gBufferLayerName = bufferLayer;
    gSelectionLayerName = "Parcels";
    gSearchFieldName = field;
    form->txtBuffer.SetText(distance);
    gSuppressListClick = true;
    form->List1.AddItem(value);
    form->List1.SetListIndex(0);
    gSuppressListClick = false;

    // The first click on a map also builds the lookup of the search field's values.
    static std::map<const host::MxDocument*, double> firstClick;
    const auto start = std::chrono::steady_clock::now();
    form->List1_Click();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    state.counters["first_click_ms"] = firstClick.emplace(document.raw(), ms).first->second;

    for (auto _ : state) {
        form->List1_Click();
        gApplication->StatusBar()->ProgressBar()->ClearHistory();
    }
    if (!messages->Shown().empty()) state.SkipWithError(messages->Shown().front().text.c_str());
    state.counters["selected"] = std::stod(form->txtCount.Caption());
}

// Clicks the field value of the parcel in the middle of the map at 300 feet.
void ListClick(benchmark::State& state, const host::Ref<host::MxDocument>& document, const std::string& field) {
    const host::Ref<host::FeatureLayer> parcels = Parcels(document);
    const long middle = parcels->FeatureClass()->FeatureCount(nullptr) / 2;
    const host::Ref<host::Table> table = parcels->DisplayTable();
    const std::string value =
        table->GetRow(table->OIDAt(static_cast<std::size_t>(middle)))->Value(table->FindField(field)).Text();
    Click(state, document, "Parcels", field, value, "300");
}

void CambridgeListClick(benchmark::State& state) {
    const bool joined = state.range(0) != 0;
    static host::Ref<host::MxDocument> documents[2];
    if (!documents[joined]) documents[joined] = benchdata::LoadOrSkip(state, 0, [&] { return Cambridge(joined); });
    if (!documents[joined]) return;
    ListClick(state, documents[joined], joined ? "Parcels.ML" : "ML");
}
BENCHMARK(CambridgeListClick)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The clicks on the Cambridge map that cost the most: a subject of many vertices or many
// parts, an invalid subject, a small subject beside the road parcels of thousands of
// vertices.
struct HardCase {
    const char* bufferLayer;
    const char* field;
    const char* value;
    const char* distance;
};

void CambridgeHardClick(benchmark::State& state, const HardCase& hard) {
    static host::Ref<host::MxDocument> document;
    if (!document) document = Cambridge(false);
    Click(state, document, hard.bufferLayer, hard.field, hard.value, hard.distance);
}
// Registered as CambridgeHardClick/<name>.
const bool kHardClicksRegistered = [] {
    const struct {
        const char* name;
        HardCase hard;
    } cases[] = {
        // The largest ordinary parcel, 1,259 vertices.
        {"largest_parcel_500ft", {"Parcels", "ML", "266-31", "500"}},
        // Streets of 14 and 23 centerline segments.
        {"street_14_segments_50ft", {"Centerlines", "Street_Name", "Elm", "50"}},
        {"street_23_segments_50ft", {"Centerlines", "Street_Name", "Pearl", "50"}},
        // Self-intersecting parcels of 199 and 205 vertices.
        {"self_intersecting_199_vertices_300ft", {"Parcels", "ML", "64-7", "300"}},
        {"self_intersecting_205_vertices_300ft", {"Parcels", "ML", "265C-25", "300"}},
        // A parcel of 6 vertices within 300 feet of three road parcels of 4,247 to 18,606
        // vertices.
        {"tiny_beside_roads_300ft", {"Parcels", "ML", "37-65", "300"}},
    };
    for (const auto& c : cases)
        benchmark::RegisterBenchmark((std::string("CambridgeHardClick/") + c.name).c_str(), CambridgeHardClick, c.hard)
            ->Unit(benchmark::kMillisecond);
    return true;
}();

void TownListClick(benchmark::State& state) {
    static std::int64_t loaded = 0;
    static host::Ref<host::MxDocument> document;
    if (loaded != state.range(0)) {
        document = nullptr;  // one town in memory at a time
        document = benchdata::LoadOrSkip(state, state.range(0), [&] { return Town(state.range(0)); });
        loaded = document ? state.range(0) : 0;
    }
    if (!document) return;
    ListClick(state, document, "Parcels.PARCEL_ID");
}
BENCHMARK(TownListClick)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
