// The export of a real parcel map: Cambridge with its assessor's table joined on ML.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "extension/command/Globals.h"
#include "extension/export/ExportAllValues.h"
#include "extension/shared/Tovalin_ArcMap.h"
#include "host/data/Field.h"
#include "host/data/JoinedTable.h"
#include "host/framework/Application.h"
#include "tests/extension/command/CommandFixture.h"

namespace {

// The columns of one table line whose values hold no tab, quote or line break.
std::vector<std::string> Columns(const std::string& line) {
    std::vector<std::string> columns;
    std::istringstream in(line);
    for (std::string column; std::getline(in, column, '\t');) columns.push_back(column.substr(1, column.size() - 2));
    return columns;
}

class ExportCambridgeTest : public support::CommandTest {};

TEST_F(ExportCambridgeTest, JoinedColumnsAreQualifiedAndParcelsWithoutAnAssessingRowHaveEmptyCells) {
    CreateCommand();
    const std::string gpkg = std::string(CORVANE_CAMBRIDGE_GPKG);
    const std::filesystem::path mapFile = TempRoot() / "cambridge.json";
    std::ofstream(mapFile)
        << R"({"version": 1, "layers": [{"name": "Parcels", "source": ")" << gpkg
        << R"(", "layer": "Parcels", "join": {"key": "ML", "table": "Assessing", "table_key": "ML"}}],
                               "tables": [{"name": "Assessing", "source": ")"
        << gpkg << R"(", "layer": "Assessing"}]})";
    app_->OpenDocument(mapFile);
    gMxDocument = app_->Document();
    gSelectionLayerName = "Parcels";
    host::Ref<host::FeatureLayer> parcels = FindLayer("Parcels");
    ASSERT_TRUE(parcels);

    // The first parcel with an assessing row and the first without one.
    auto joined = host::As<host::JoinedTable>(parcels->DisplayTable());
    long matched = -1, unmatched = -1;
    for (std::size_t position = 0; matched < 0 || unmatched < 0; ++position) {
        long& id = joined->JoinedPosition(position) == static_cast<std::size_t>(-1) ? unmatched : matched;
        if (id < 0) id = joined->OIDAt(position);
    }
    Select(parcels, {std::min(matched, unmatched), std::max(matched, unmatched)});
    WriteItems(gFieldsFilePath, {"Parcels.ML", "XPARCELIDX", "assessing.location", "XADDRESSAX", "NONE", "NONEXZIPX"});
    ASSERT_FALSE(ExportAllValues("C:\\cambridge.txt", "\t", "\"", false, "", true, gFieldsFilePath));

    std::istringstream text(FileText("C:\\cambridge.txt"));
    std::vector<std::vector<std::string>> lines;
    for (std::string line; std::getline(text, line);) lines.push_back(Columns(line.substr(0, line.size() - 1)));
    ASSERT_EQ(lines.size(), 3u);
    std::vector<std::string> expected;
    for (long i = 0; i < joined->Fields()->FieldCount(); ++i) {
        const std::string name = joined->Fields()->Field(i)->Name();
        if (joined->Fields()->Field(i)->Type() == host::FieldType::Geometry) continue;
        expected.push_back(name == "Parcels.ML" ? "XPARCELIDX" : name == "Assessing.Location" ? "XADDRESSAX" : name);
    }
    expected.push_back("XZIPX");
    EXPECT_EQ(lines[0], expected);
    EXPECT_EQ(lines[0][0], "Parcels.OBJECTID");

    const auto at = [&](const std::string& name) {
        return static_cast<std::size_t>(std::find(expected.begin(), expected.end(), name) - expected.begin());
    };
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string>& row = lines[i];
        ASSERT_EQ(row.size(), expected.size());
        const bool hasAssessing = std::stol(row[0]) == matched;
        EXPECT_EQ(row[at("Assessing.ML")], hasAssessing ? row[at("XPARCELIDX")] : "");
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (!hasAssessing && (expected[c].rfind("Assessing.", 0) == 0 || expected[c] == "XADDRESSAX")) {
                EXPECT_EQ(row[c], "") << expected[c];
            }
        }
    }
    EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
