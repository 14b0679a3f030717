#pragma once
// The loader: opens any vector dataset GDAL opens (GeoPackage, shapefile, GeoJSON, TopoJSON,
// FileGDB, CSV) and reads its layers into memory. A layer with geometry becomes a
// FeatureClass (with its spatial index), one without a Table. OGR field types map to the
// host's codes: integer 1 (0 when 16-bit), integer64 and real 3 (real marked 32-bit 2),
// string 4, date and date-time 5, binary 8; the FID is the object id.

#include <memory>
#include <string>
#include <vector>

#include "host/core/Ref.h"

namespace host {

class Table;

class DataSource {
public:
    // Opens the dataset at a native path. A missing file raises error 53, a file GDAL
    // cannot open as vector data a run-time error naming it.
    static Ref<DataSource> Open(const std::string& path);
    ~DataSource();
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    const std::string& Path() const;
    // The layer names in the dataset's order.
    std::vector<std::string> LayerNames() const;
    // The layer of that name (ignoring case), read once and then kept; a name the dataset
    // lacks raises a run-time error naming it.
    Ref<host::Table> Table(const std::string& name);
    // Every layer, in the dataset's order.
    std::vector<Ref<host::Table>> Tables();

    struct Impl;
    explicit DataSource(std::unique_ptr<Impl> impl);

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace host
