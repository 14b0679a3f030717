// The example script of the whole road on the example town: pickers, distance, a click on
// a value; the selection, the graphics, the count and the zoomed extent it prints.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/script/ScriptRunner.h"
#include "tests/support/HeadlessTest.h"

namespace {

namespace fs = std::filesystem;

class PipelineScriptTest : public support::HeadlessTest {};

TEST_F(PipelineScriptTest, TownAbuttersScriptPrintsWhatItsExpectedFileHolds) {
    const fs::path examples = fs::path(CORVANE_SOURCE_DIR) / "examples";
    script::RunOptions options;
    options.scriptFolder = examples;
    options.workFolder = TempRoot() / "work";
    std::string out;
    ASSERT_EQ(script::RunScriptText(ReadBytes(examples / "town_abutters.script"), out, options), 0) << out;
    EXPECT_EQ(out, ReadBytes(examples / "town_abutters.expected"));
}

}  // namespace
