#pragma once
// The maps the benchmarks run on: the Cambridge parcels kept in the repository
// (tests/data/cambridge/cambridge.gpkg) and the synthetic towns generated on first use into
// the bench folder (CORVANE_BENCH_DIR in the environment, else the bench build folder).
// When a map cannot be had (the repository's copy moved or missing, a bench folder that
// cannot be written), the benchmark is skipped with a message naming what it needs, and the
// other benchmarks still run.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "tools/towngen/Town.h"
#include "tools/towngen/TownWriter.h"

namespace benchdata {

namespace fs = std::filesystem;

inline fs::path CambridgeFile() { return fs::path(CORVANE_CAMBRIDGE_GPKG); }

inline fs::path BenchFolder() {
    if (const char* folder = std::getenv("CORVANE_BENCH_DIR"); folder != nullptr && *folder != '\0') return folder;
    return fs::path(CORVANE_BENCH_DIR);
}

inline fs::path TownFolder(std::int64_t parcels) { return BenchFolder() / ("town-" + std::to_string(parcels)); }

// What a benchmark on the map of that many parcels needs (0: Cambridge).
inline std::string MapNeeds(std::int64_t parcels) {
    if (parcels == 0)
        return "needs the Cambridge map " + CambridgeFile().string() +
               " (tests/data/cambridge/cambridge.gpkg of a full clone of the repository)";
    return "needs the synthetic town of " + std::to_string(parcels) + " parcels in " + TownFolder(parcels).string() +
           ", generated on first use (set CORVANE_BENCH_DIR to a writable folder with room for it)";
}

// The Cambridge map file; an error when it is not there.
inline fs::path ExistingCambridgeFile() {
    if (!fs::is_regular_file(CambridgeFile())) throw std::runtime_error("the file is missing");
    return CambridgeFile();
}

// The map document of a town of that many parcels, generated when missing.
inline fs::path TownDocument(std::int64_t parcels) {
    const fs::path folder = TownFolder(parcels);
    const fs::path document = folder / "town.json";
    if (fs::exists(document)) return document;
    fs::create_directories(folder);
    towngen::TownOptions options;
    options.seed = 1;
    options.parcels = parcels;
    towngen::WriteTown(towngen::Town(options), folder / "town.gpkg", document);
    return document;
}

// What load() gives; when it fails, the benchmark is skipped with what it needs and why,
// and an empty value comes back (the caller returns before its loop).
template <class Load> auto LoadOrSkip(benchmark::State& state, std::int64_t parcels, Load&& load) -> decltype(load()) {
    try {
        return load();
    } catch (const std::exception& e) {
        state.SkipWithError((MapNeeds(parcels) + ": " + e.what()).c_str());
        return {};
    }
}

}  // namespace benchdata
