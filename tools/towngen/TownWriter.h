#pragma once
// Stores a town: one GeoPackage with the layers "Parcels", "Owners" (a table), "Streets" and
// "Hydrants", and a map document that shows them (Owners joined to Parcels on PARCEL_ID,
// Streets and Hydrants in the group layer "Infrastructure").

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "tools/towngen/Town.h"

namespace towngen {

// xmin, ymin, xmax, ymax
using Extent = std::array<double, 4>;

struct TownSummary {
    std::int64_t parcels = 0;
    std::int64_t owners = 0;
    std::int64_t streets = 0;
    std::int64_t hydrants = 0;
    Extent extent{};  // of every feature of the town
};

// Writes the town into a new GeoPackage (the file must not exist yet). Features are streamed
// in transactions of bounded size, so memory stays flat however large the town. Throws
// std::runtime_error with a readable message when anything fails.
TownSummary WriteGeoPackage(const Town& town, const std::filesystem::path& path);

// The map document's text for a town written by WriteGeoPackage; `source` is the GeoPackage's
// path as the document names it, relative to the document's folder.
std::string MapDocumentText(const Extent& extent, const std::string& source);

// The GeoPackage's path as seen from the map document's folder, with forward slashes.
std::string SourceRelativeTo(const std::filesystem::path& dataset, const std::filesystem::path& mapDocument);

// Writes the GeoPackage and its map document. Both go to temporary files first and are moved
// into place only when both are complete: a failure leaves no partial output behind, and an
// existing file is only ever replaced by a complete one. Throws std::runtime_error.
TownSummary WriteTown(const Town& town, const std::filesystem::path& dataset, const std::filesystem::path& mapDocument);

}  // namespace towngen
