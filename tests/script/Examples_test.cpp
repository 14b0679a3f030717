// Every host script in examples/ runs and prints exactly what its neighbouring .expected
// file holds. ${WORK} in the expected text stands for the run's own temporary folder and
// ${SCRIPT_DIR} for the script's folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <vector>

#include "app/script/ScriptRunner.h"
#include "tests/support/HeadlessTest.h"

namespace {

namespace fs = std::filesystem;

std::string Placeholders(std::string text, const std::string& path, const std::string& name) {
    for (auto at = text.find(path); !path.empty() && at != std::string::npos; at = text.find(path, at + name.size()))
        text.replace(at, path.size(), name);
    return text;
}

class ExamplesTest : public support::HeadlessTest {};

TEST_F(ExamplesTest, EveryExampleScriptPrintsWhatItsExpectedFileHolds) {
    const fs::path examples = fs::path(CORVANE_SOURCE_DIR) / "examples";
    std::vector<fs::path> scripts;
    for (const auto& entry : fs::recursive_directory_iterator(examples))
        if (entry.is_regular_file() && entry.path().extension() == ".script") scripts.push_back(entry.path());
    std::sort(scripts.begin(), scripts.end());
    ASSERT_FALSE(scripts.empty());
    for (const fs::path& script : scripts) {
        SCOPED_TRACE(script.string());
        const fs::path expectedFile = fs::path(script).replace_extension(".expected");
        ASSERT_TRUE(fs::exists(expectedFile)) << "every example script has its .expected file";
        script::RunOptions options;
        options.scriptFolder = script.parent_path();
        options.workFolder = TempRoot() / script.stem();
        std::ostringstream lines, errors;
        int code = 0;
        {
            script::Runner runner(lines, errors, options);  // gone before the output is read
            code = runner.Run(ReadBytes(script), script.filename().string());
        }
        EXPECT_EQ(code, errors.str().empty() ? 0 : 1);
        const std::string out = Placeholders(lines.str() + errors.str(), options.workFolder.string(), "${WORK}");
        EXPECT_EQ(Placeholders(out, options.scriptFolder.string(), "${SCRIPT_DIR}"), ReadBytes(expectedFile));
    }
}

}  // namespace
