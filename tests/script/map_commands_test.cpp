// The runner's map commands on the example town and the Cambridge parcels: opening,
// selecting, clearing, and what `print` shows of the selection, the extent and the
// progress bar (the graphics print runs in examples/town_abutters.script).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/script/ScriptCommands.h"
#include "app/script/ScriptRunner.h"
#include "host/framework/Application.h"
#include "host/framework/StatusBar.h"
#include "host/framework/StepProgressor.h"
#include "tests/support/HeadlessTest.h"

namespace {

namespace fs = std::filesystem;

// Drives the progress bar as the list click does at its start, then hides it.
const script::ScriptCommand kProgress("test-map-progress", [](script::Runner&, const script::Arguments&) {
    const auto bar = host::Application::Running()->StatusBar()->ProgressBar();
    bar->SetMessage("Locating and Buffering Feature...");
    for (int i = 0; i < 4; ++i) bar->Step();
    bar->SetPosition(2);
    bar->Step();
});

const std::string kTown = CORVANE_SOURCE_DIR "/examples/town/town.json";
const std::string kCambridge = CORVANE_CAMBRIDGE_GPKG;

class MapCommandsTest : public support::HeadlessTest {
protected:
    // The output of a script run with ${WORK} in the test's folder, after "drive C:" and
    // "start" unless `started` is false; "ERROR ..." follows when it failed.
    std::string Run(const std::string& text, int expectedCode = 0, bool started = true) {
        std::string out;
        script::RunOptions options;
        options.workFolder = TempRoot() / "work";
        options.scriptFolder = TempRoot();
        const std::string start = started ? "drive C: ${WORK}/c\nstart\n" : "";
        EXPECT_EQ(script::RunScriptText(start + text, out, options), expectedCode) << out;
        return out;
    }
};

TEST_F(MapCommandsTest, SelectionsAreNewOrAddedAndPrintedPerLayerInMapOrder) {
    const std::string out = Run("open \"" + kTown + "\"\n"
                                "select Parcels \"Parcels.PARCEL_ID = '1-1'\"\n"
                                "select+ parcels \"Parcels.PARCEL_ID = '1-3'\"\n"
                                "select+ Parcels \"Parcels.PARCEL_ID = '1-1'\"\n"
                                "select Streets \"STREET_NAME = 'ELM ST'\"\n"
                                "print selection\n"
                                "select Parcels \"Owners.OWNER_NAME = 'O''BRIEN, SEÁN'\"\n"
                                "clearselection\n"
                                "print selection\n");
    EXPECT_EQ(out, "SELECTION Parcels count=2 oids=[1, 3]\nSELECTION Streets count=5 oids=[1, 2, 3, 4, 5]\n");
    EXPECT_EQ(Run("open \"" + kTown + "\"\nselect Parcels \"Owners.OWNER_NAME = 'O''BRIEN, SEÁN'\"\nprint selection"),
              "SELECTION Parcels count=2 oids=[57, 422]\n");
}

TEST_F(MapCommandsTest, ADatasetOpensWholeAndItsExtentPrints) {
    const std::string out = Run(
        "print extent\n"
        "open \"" + kCambridge + "\"\n"
        "select Hydrants \"OBJECTID = 1\"\n"
        "print selection\n"
        "open \"" + kTown + "\"\n"
        "print extent\n");
    EXPECT_EQ(out,
              "EXTENT empty\n"
              "SELECTION Hydrants count=1 oids=[1]\n"
              "EXTENT 700000 2900000 702650 2902900\n");
}

TEST_F(MapCommandsTest, ProgressPrintsTheBarsCallsSinceTheLastPrint) {
    EXPECT_EQ(Run("test-map-progress\nprint progress\nprint progress\n"),
              "PROGRESS Message \"Locating and Buffering Feature...\"\nPROGRESS Step x4 -> 4\n"
              "PROGRESS Position 2\nPROGRESS Step 3\n");
}

TEST_F(MapCommandsTest, BadLinesFailWithAReasonAndLeaveTheSelection) {
    const std::string open = "open \"" + kTown + "\"\nselect Parcels \"Parcels.PARCEL_ID = '1-1'\"\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"open \"${WORK}/nothing.json\"", "3: run-time error 53: File not found"},
        {open + "select Infrastructure \"A = 1\"", "5: no feature layer \"Infrastructure\" in the map"},
        {open + "select+ Parcels a b", "5: usage: select+ LAYER CLAUSE"},
        // A clause the host rejects fails its line before the selection changes.
        {open + "select+ Parcels \"Parcels.LAND_AREA = 'big'\"\nprint selection", "5: run-time error"},
        {open + "select+ Parcels \"NOFIELD = 1\"\nprint selection", "5: run-time error"},
    };
    for (const auto& [script, error] : cases) {
        const std::string out = Run(script, 1);
        EXPECT_NE(out.find("ERROR script:" + error), std::string::npos) << script << "\n-> " << out;
    }
    EXPECT_EQ(Run("select Parcels \"A = 1\"", 1, false),
              "ERROR script:1: the host has not started (start comes first)\n");
}

}  // namespace
