// The runner's map commands on the example town and the Cambridge parcels: opening,
// selecting, clearing, and what `print` shows of the selection, the extent and the
// progress bar (the graphics print runs in examples/town_abutters.script); maps opened one
// after another under the same main window, with layers in another coordinate system.

#include <fcntl.h>
#include <gdal.h>
#include <gdal_utils.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/script/CommandLine.h"
#include "app/script/ScriptCommands.h"
#include "app/script/ScriptRunner.h"
#include "host/data/DataSource.h"
#include "host/data/Row.h"
#include "host/data/Table.h"
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
    // What `corvane --script FILE` writes on standard error (the process's own, where GDAL
    // writes too), and its exit status.
    static std::pair<std::string, int> StandardErrorOfRunner(const fs::path& script, const fs::path& work) {
        const fs::path captured = work.parent_path() / "stderr.txt";
        fs::create_directories(work);
        std::cerr.flush();
        std::fflush(stderr);
        const int saved = ::dup(2);
        const int file = ::open(captured.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ::dup2(file, 2);
        ::close(file);
        std::vector<std::string> args = {"corvane", "--script", script.string(), "--work", work.string()};
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        const int status =
            script::RunCommandLine(static_cast<int>(argv.size()), argv.data(), false, std::cout, std::cerr)
                .value_or(-1);
        std::cerr.flush();
        std::fflush(stderr);
        ::dup2(saved, 2);
        ::close(saved);
        return {ReadBytes(captured), status};
    }
};

// A dataset opens whole; a document opened after it replaces it.
TEST_F(MapCommandsTest, SelectionsAreNewOrAddedAndPrintedPerLayerInMapOrderAndExtentsPrint) {
    const std::string out = Run("print extent\nopen \"" + kCambridge +
                                "\"\n"
                                "select Hydrants \"OBJECTID = 1\"\n"
                                "print selection\n"
                                "open \"" +
                                kTown +
                                "\"\n"
                                "print extent\n"
                                "select Parcels \"Parcels.PARCEL_ID = '1-1'\"\n"
                                "select+ parcels \"Parcels.PARCEL_ID = '1-3'\"\n"
                                "select+ Parcels \"Parcels.PARCEL_ID = '1-1'\"\n"
                                "select Streets \"STREET_NAME = 'ELM ST'\"\n"
                                "print selection\n"
                                "clearselection\n"
                                "print selection\n"
                                "select Parcels \"Owners.OWNER_NAME = 'O''BRIEN, SEÁN'\"\n"
                                "print selection\n");
    EXPECT_EQ(out,
              "EXTENT empty\n"
              "SELECTION Hydrants count=1 oids=[1]\n"
              "EXTENT 700000 2900000 702650 2902900\n"
              "SELECTION Parcels count=2 oids=[1, 3]\nSELECTION Streets count=5 oids=[1, 2, 3, 4, 5]\n"
              "SELECTION Parcels count=2 oids=[57, 422]\n");
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

// A "coordinate_system" that GDAL cannot read: the one line naming the script's line is all
// that standard error holds, with no message of GDAL or PROJ before it.
TEST_F(MapCommandsTest, AMapDocumentGdalCannotReadLeavesOneLineOnStandardError) {
    for (const std::string system : {"EPSG:999999", "+proj=nosuch", "not a coordinate system"}) {
        SCOPED_TRACE(system);
        WriteBytes(TempRoot() / "bad.json", R"({"coordinate_system": ")" + system + R"(", "layers": []})");
        WriteBytes(TempRoot() / "bad.script", "drive C: ${WORK}/c\nstart\nopen bad.json\n");
        const auto [errors, status] = StandardErrorOfRunner(TempRoot() / "bad.script", TempRoot() / "work");
        EXPECT_EQ(status, 1);
        EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
        EXPECT_NE(errors.find("bad.script:3: run-time error 5: "), std::string::npos) << errors;
        EXPECT_NE(errors.find("\"coordinate_system\" is not a coordinate system GDAL reads: " + system),
                  std::string::npos)
            << errors;
    }
}

// Cambridge's hydrants moved to longitude and latitude by GDAL into a GeoPackage of the
// test's own.
fs::path HydrantsInLongitudeAndLatitude(const fs::path& folder) {
    const fs::path out = folder / "hydrants-4326.gpkg";
    GDALAllRegister();
    GDALDatasetH source = GDALOpenEx(kCambridge.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr);
    const char* args[] = {"-f", "GPKG", "-t_srs", "EPSG:4326", "-preserve_fid", "Hydrants", nullptr};
    GDALVectorTranslateOptions* options = GDALVectorTranslateOptionsNew(const_cast<char**>(args), nullptr);
    int failed = 0;
    GDALDatasetH written = GDALVectorTranslate(out.c_str(), nullptr, 1, &source, options, &failed);
    GDALVectorTranslateOptionsFree(options);
    EXPECT_TRUE(written != nullptr && failed == 0);
    if (written != nullptr) GDALClose(written);
    GDALClose(source);
    return out;
}

TEST_F(MapCommandsTest, HydrantsInLongitudeAndLatitudeSelectTheParcelsTheyDoInFeet) {
    const fs::path lonlat = HydrantsInLongitudeAndLatitude(TempRoot());
    auto map = [&](const std::string& name, const fs::path& hydrants, const std::string& extra = "") {
        WriteBytes(TempRoot() / name, "{" + extra + R"("layers": [{"name": "Parcels", "source": ")" + kCambridge +
                                          R"(", "layer": "Parcels"}, {"name": "Hydrants", "source": ")" +
                                          hydrants.string() + R"(", "layer": "Hydrants"}]})");
        return "\"" + (TempRoot() / name).string() + "\"";
    };
    // A hydrant on Massachusetts Avenue (the ids are the same in both files).
    const host::Ref<host::Table> hydrants = host::DataSource::Open(kCambridge)->Table("Hydrants");
    const std::string location = hydrants->GetRow(100)->Value(hydrants->FindField("HYDRANT_LOCATION")).Text();
    const std::string click =
        "choose frmMain.cboBufferLayer Parcels\nchoose frmMain.cboBufferLayer Hydrants\n"
        "choose frmMain.cboSearchField HYDRANT_LOCATION\n"
        "choose frmMain.List1 \"" +
        location + "\"\nprint selection\n";
    const std::string out =
        Run("open " + map("feet.json", kCambridge) +
            "\nanswer no\nclick Tovalin_Corvane\n"
            "choose frmMain.cboSelectionLayer Parcels\nsettext frmMain.txtBuffer 300\n" +
            click + "open " + map("lonlat.json", lonlat) + "\n" + click + "open " +
            map("degrees.json", lonlat, R"("coordinate_system": 4326, )") + "\n" + click + "print graphics\n");
    const std::size_t first = out.find("SELECTION Parcels count=");
    ASSERT_NE(first, std::string::npos) << out;
    const std::string feet = out.substr(first, out.find('\n', first) + 1 - first);
    EXPECT_GT(feet.size(), std::string("SELECTION Parcels count=2 oids=[1, 2]\n").size()) << feet;
    EXPECT_EQ(out.substr(first, 2 * feet.size()), feet + feet);
    // The map of parcels in degrees: one message that says so, and nothing selected or drawn.
    const std::string degrees = out.substr(first + 2 * feet.size());
    EXPECT_EQ(degrees.rfind("MSG The map's units are degrees", 0), 0u) << degrees;
    EXPECT_EQ(degrees.find('\n'), degrees.size() - 1) << degrees;
}

}  // namespace
