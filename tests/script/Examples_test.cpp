// Every host script in examples/ runs and prints exactly what its neighbouring .expected
// file holds. ${WORK} in the expected text stands for the run's own temporary folder and
// ${SCRIPT_DIR} for the script's folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "app/script/ScriptRunner.h"
#include "tests/support/HeadlessTest.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

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
        const std::string expected = Read(expectedFile);

        script::RunOptions options;
        options.scriptFolder = script.parent_path();
        options.workFolder = TempRoot() / script.stem();
        std::string out;
        {
            std::ostringstream lines;
            std::ostringstream errors;
            script::Runner runner(lines, errors, options);
            const int code = runner.Run(Read(script), script.filename().string());
            out = lines.str() + errors.str();
            EXPECT_EQ(code, errors.str().empty() ? 0 : 1);
        }
        out = Placeholders(out, options.workFolder.string(), "${WORK}");
        out = Placeholders(out, options.scriptFolder.string(), "${SCRIPT_DIR}");
        EXPECT_EQ(out, expected);
    }
}

}  // namespace
