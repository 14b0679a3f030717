#pragma once
// The map document file: a small JSON file that names a map's layers in order (top first),
// group layers with their members, joins, standalone tables, the data sources by path
// relative to the file, and the initial extent:
//
//   {"version": 1, "extent": [xmin, ymin, xmax, ymax], "coordinate_system": "EPSG:2249",
//    "layers": [{"name": "Parcels", "source": "town.gpkg", "layer": "Parcels",
//                "join": {"key": "PARCEL_ID", "table": "Owners", "table_key": "PARCEL_ID"}},
//               {"name": "Infrastructure", "group": [{"name": "Streets", ...},
//                                                    {"name": "Hydrants", ..., "visible": false}]}],
//    "tables": [{"name": "Owners", "source": "town.gpkg", "layer": "Owners"}]}
//
// The map's coordinate system is the one "coordinate_system" names (optional: an EPSG code
// as a number or text, or any definition GDAL reads), else the first feature layer's that
// has one. A layer in another system is transformed into the map's as it loads; a layer
// without one is taken to be in the map's.
//
// A layer whose source cannot be opened (or transformed) stays in the map as a
// MissingSourceLayer that says why; a table likewise keeps no data and says why; a join
// whose table cannot be found is kept but joins nothing. A dataset can be opened whole
// instead: each layer with geometry becomes a top-level feature layer, each other one a
// standalone table.

#include <filesystem>

#include "host/core/Ref.h"

namespace host {

class MxDocument;

class MapDocumentFile {
public:
    // Reads a map document. A missing file raises error 53; a file that is not a map
    // document (not JSON, wrong types, another version) raises error 5 naming the file and
    // what is wrong.
    static Ref<MxDocument> Read(const std::filesystem::path& file);
    // Writes the document's focus map; sources are written relative to the file's folder.
    // The file is replaced only once the new one is complete. A folder that cannot be
    // written raises error 75 (76 when it does not exist).
    static void Write(const MxDocument& document, const std::filesystem::path& file);
    // A document holding every layer of the dataset.
    static Ref<MxDocument> OpenDataset(const std::filesystem::path& dataset);
    // A map document file, or else a dataset.
    static Ref<MxDocument> Open(const std::filesystem::path& path);
};

}  // namespace host
