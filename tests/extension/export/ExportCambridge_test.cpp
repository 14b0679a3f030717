// The export of a real parcel map: Cambridge with its assessor's table joined on ML.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "extension/command/Globals.h"
#include "extension/export/ExportAllValues.h"
#include "extension/shared/Tovalin_ArcMap.h"
#include "host/carto/FeatureLayer.h"
#include "host/data/Fields.h"
#include "host/data/JoinedTable.h"
#include "host/data/Row.h"
#include "host/framework/Application.h"
#include "tests/extension/export/ExportFixture.h"

namespace {

namespace fs = std::filesystem;

// Splits one line of a tab-delimited table whose values hold no tab, quote or line break.
std::vector<std::string> Columns(const std::string& line) {
    std::vector<std::string> columns;
    std::size_t from = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', from);
        const std::string column = line.substr(from, tab == std::string::npos ? std::string::npos : tab - from);
        columns.push_back(column.size() >= 2 ? column.substr(1, column.size() - 2) : column);
        if (tab == std::string::npos) return columns;
        from = tab + 1;
    }
}

std::vector<std::string> TableLines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t from = 0, end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(text.substr(from, end - from));
    return lines;
}

class ExportCambridgeTest : public export_test::ExportTest {};

TEST_F(ExportCambridgeTest, JoinedColumnsAreQualifiedAndParcelsWithoutAnAssessingRowHaveEmptyCells) {
    const fs::path gpkg = fs::path(CORVANE_SHARED_DIR) / "data" / "cambridge" / "cambridge.gpkg";
    ASSERT_TRUE(fs::exists(gpkg)) << gpkg;
    const fs::path mapFile = TempRoot() / "cambridge.json";
    std::ofstream(mapFile) << R"({"version": 1, "layers": [{"name": "Parcels", "source": ")" << gpkg.string()
                           << R"(", "layer": "Parcels", "join": {"key": "ML", "table": "Assessing", "table_key": "ML"}}],
                               "tables": [{"name": "Assessing", "source": ")"
                           << gpkg.string() << R"(", "layer": "Assessing"}]})";
    app_->OpenDocument(mapFile);
    gMxDocument = app_->Document();
    gSelectionLayerName = "Parcels";
    gSearchFieldName = "Parcels.ML";

    host::Ref<host::FeatureLayer> parcels = FindLayer("Parcels");
    ASSERT_TRUE(parcels);
    auto joined = host::As<host::JoinedTable>(parcels->DisplayTable());
    // The first parcel with an assessing row and the first without one.
    long withRow = -1;
    long withoutRow = -1;
    for (std::size_t position = 0; position < joined->Size() && (withRow < 0 || withoutRow < 0); ++position) {
        long& wanted = joined->JoinedPosition(position) == static_cast<std::size_t>(-1) ? withoutRow : withRow;
        if (wanted < 0) wanted = joined->OIDAt(position);
    }
    ASSERT_GE(withRow, 0);
    ASSERT_GE(withoutRow, 0);
    Select(parcels, {std::min(withRow, withoutRow), std::max(withRow, withoutRow)});

    const std::string out = "C:\\cambridge.txt";
    ASSERT_FALSE(ExportAllValues(out, "\t", "\"", false, "", false, "nothing"));
    const std::vector<std::string> lines = TableLines(FileText(out));
    ASSERT_EQ(lines.size(), 3u);

    const std::vector<std::string> header = Columns(lines[0]);
    std::vector<std::string> expected;
    host::Ref<host::Fields> fields = joined->Fields();
    for (long i = 0; i < fields->FieldCount(); ++i)
        if (fields->Field(i)->Type() != host::FieldType::Geometry) expected.push_back(fields->Field(i)->Name());
    EXPECT_EQ(header, expected);
    EXPECT_EQ(header.front(), "Parcels.OBJECTID");
    const auto column = [&](const std::string& name) {
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
    };
    ASSERT_LT(column("Assessing.ML"), header.size());
    ASSERT_LT(column("Parcels.ML"), header.size());

    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> row = Columns(lines[i]);
        ASSERT_EQ(row.size(), header.size());
        const bool hasAssessing = std::stol(row[0]) == withRow;
        for (std::size_t c = 0; c < header.size(); ++c) {
            if (header[c].rfind("Assessing.", 0) != 0) continue;
            if (!hasAssessing) {
                EXPECT_EQ(row[c], "") << header[c];
            }
        }
        if (hasAssessing) {
            EXPECT_EQ(row[column("Assessing.ML")], row[column("Parcels.ML")]);
        }
    }

    // Configured slots name the qualified fields by their keys.
    WriteFieldsItems({"Parcels.ML", "XPARCELIDX", "assessing.location", "XADDRESSAX", "NONE", "NONEXZIPX"});
    ASSERT_FALSE(ExportAllValues(out, "\t", "\"", false, "", true, gFieldsFilePath));
    const std::vector<std::string> renamed = Columns(TableLines(FileText(out)).at(0));
    EXPECT_EQ(renamed[column("Parcels.ML")], "XPARCELIDX");
    EXPECT_EQ(renamed[column("Assessing.Location")], "XADDRESSAX");
    EXPECT_EQ(renamed.back(), "XZIPX");
    EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
