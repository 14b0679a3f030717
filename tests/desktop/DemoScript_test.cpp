// The demo's headless run: examples/demo.desktop-script prints what demo.desktop-expected
// holds, exports the abutters table and saves the picture of the map with the buffer.
#include <sstream>

#include "app/script/ScriptRunner.h"
#include "tests/desktop/DesktopTest.h"

namespace desktop_test {
namespace {

namespace fs = std::filesystem;

using DemoScriptTest = support::HeadlessTest;

TEST_F(DemoScriptTest, WritesTheAbuttersTableAndThePictureOfTheMap) {
    const fs::path examples = fs::path(CORVANE_SOURCE_DIR) / "examples";
    script::RunOptions options{examples, TempRoot() / "demo"};
    std::ostringstream lines, errors;
    // The runner (and the host it started) is gone before the files are read.
    ASSERT_EQ(script::Runner(lines, errors, options).RunFile(examples / "demo.desktop-script"), 0) << errors.str();
    EXPECT_EQ(lines.str(), ReadBytes(examples / "demo.desktop-expected"));

    const std::string table = ReadBytes(options.workFolder / "abutters.csv");
    EXPECT_EQ(table.rfind("\"Parcels.fid\",\"Parcels.PARCEL_ID\"", 0), 0u);
    EXPECT_NE(table.find("\"10-6\""), std::string::npos) << "the subject is among the selected parcels";
    const QImage map(QString::fromStdString((options.workFolder / "map.png").string()));
    ASSERT_EQ(map.size(), QSize(1000, 750));
    EXPECT_GT(CountPixels(map, 0xFF00FF), 10000) << "the subject filled and the buffer drawn in magenta";
}

}  // namespace
}  // namespace desktop_test
