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
    bar->SetMaxRange(10);
    bar->SetMessage("Locating and Buffering Feature...");
    for (int i = 0; i < 4; ++i) bar->Step();
    bar->SetPosition(2);
    bar->Step();
    bar->Hide();
});

const std::string kTown = CORVANE_SOURCE_DIR "/examples/town/town.json";
const std::string kCambridge = CORVANE_SHARED_DIR "/data/cambridge/cambridge.gpkg";

class MapCommandsTest : public support::HeadlessTest {
protected:
    // Runs a script with ${WORK} in the test's folder; its exit code, and in `out` its
    // output followed by "ERROR ..." when it failed.
    int RunScript(const std::string& text, std::string& out) {
        script::RunOptions options;
        options.workFolder = TempRoot() / "work";
        options.scriptFolder = TempRoot();
        return script::RunScriptText(text, out, options);
    }
    // The output of a script run after "drive C:" and "start".
    std::string Run(const std::string& text, int expectedCode = 0) {
        std::string out;
        EXPECT_EQ(RunScript("drive C: ${WORK}/c\nstart\n" + text, out), expectedCode) << out;
        return out;
    }
};

TEST_F(MapCommandsTest, SelectionsAreNewOrAddedAndPrintedPerLayerInMapOrder) {
    const std::string out = Run(
        "open \"" + kTown + "\"\n"
        "print selection\n"
        "select Parcels \"Parcels.PARCEL_ID = '1-1'\"\n"
        "print selection\n"
        "select+ parcels \"Parcels.PARCEL_ID = '1-3'\"\n"
        "select+ Parcels \"Parcels.PARCEL_ID = '1-1'\"\n"
        "select Streets \"STREET_NAME = 'ELM ST'\"\n"
        "print selection\n"
        "select Parcels \"Owners.OWNER_NAME = 'O''BRIEN, SEÁN'\"\n"
        "print selection\n"
        "select Streets \"STREET_NAME = 'elm st'\"\n"
        "clearselection\n"
        "print selection\n");
    EXPECT_EQ(out,
              "SELECTION Parcels count=1 oids=[1]\n"
              "SELECTION Parcels count=2 oids=[1, 3]\n"
              "SELECTION Streets count=5 oids=[1, 2, 3, 4, 5]\n"
              "SELECTION Parcels count=2 oids=[57, 422]\n"
              "SELECTION Streets count=5 oids=[1, 2, 3, 4, 5]\n");
}

TEST_F(MapCommandsTest, ADatasetOpensWholeAndItsExtentPrints) {
    const std::string out = Run(
        "print extent\n"
        "open \"" + kCambridge + "\"\n"
        "select Parcels \"ML = '999-999'\"\n"
        "print selection\n"
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
    const std::string out = Run(
        "test-map-progress\n"
        "print progress\n"
        "print progress\n");
    EXPECT_EQ(out,
              "PROGRESS MaxRange 10\n"
              "PROGRESS Message \"Locating and Buffering Feature...\"\n"
              "PROGRESS Step x4 -> 4\n"
              "PROGRESS Position 2\n"
              "PROGRESS Step 3\n"
              "PROGRESS Hide\n");
}

TEST_F(MapCommandsTest, BadLinesFailWithAReasonAndLeaveTheSelection) {
    struct Case {
        std::string script;
        std::string error;  // the start of the error line, after "ERROR script:"
    };
    const std::string open = "open \"" + kTown + "\"\nselect Parcels \"Parcels.PARCEL_ID = '1-1'\"\n";
    const std::vector<Case> cases = {
        {"open", "3: usage: open PATH"},
        {"open \"${WORK}/nothing.json\"", "3: run-time error 53: File not found"},
        {open + "select Nowhere \"A = 1\"", "5: no feature layer \"Nowhere\" in the map"},
        {open + "select Infrastructure \"A = 1\"", "5: no feature layer \"Infrastructure\" in the map"},
        {open + "select Parcels", "5: usage: select LAYER CLAUSE"},
        {open + "select+ Parcels a b", "5: usage: select+ LAYER CLAUSE"},
        {open + "print selection now", "5: usage: print selection"},
    };
    for (const Case& c : cases) {
        const std::string out = Run(c.script, 1);
        EXPECT_NE(out.find("ERROR script:" + c.error), std::string::npos) << c.script << "\n-> " << out;
    }

    for (const std::string line : {"open x.json", "select Parcels \"A = 1\"", "print selection", "print extent"}) {
        std::string out;
        EXPECT_EQ(RunScript(line, out), 1) << line;
        EXPECT_EQ(out, "ERROR script:1: the host has not started (start comes first)\n") << line;
    }

    // A clause the host rejects fails its line before the selection changes.
    for (const std::string clause : {"Parcels.PARCEL_ID LIKE '1-%'", "Parcels.LAND_AREA = 'big'", "PARCEL_ID = '1-2'", "NOFIELD = 1"}) {
        const std::string out = Run(open + "select+ Parcels \"" + clause + "\"\nprint selection", 1);
        EXPECT_NE(out.find("ERROR script:5: run-time error"), std::string::npos) << clause << "\n" << out;
    }
}

}  // namespace
