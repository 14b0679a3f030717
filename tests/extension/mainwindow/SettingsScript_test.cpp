// The example script of the kept settings run twice on the same drives: the second run finds
// the pickers and the distance the first chose restored. (The example tests check the first
// run's output.)
#include <filesystem>
#include <string>

#include "app/script/ScriptRunner.h"
#include "tests/support/HeadlessTest.h"

namespace {

class SettingsScriptTest : public support::HeadlessTest {};

TEST_F(SettingsScriptTest, ASecondRunOnTheSameDrivesRestoresEveryPickerTheListAndTheDistance) {
    script::RunOptions options;
    options.scriptFolder = std::filesystem::path(CORVANE_SOURCE_DIR) / "examples";
    options.workFolder = TempRoot() / "work";
    const std::string script = ReadBytes(options.scriptFolder / "town_settings.script");
    std::string first, second;
    EXPECT_EQ(script::RunScriptText(script, first, options), 0) << first;
    EXPECT_EQ(script::RunScriptText(script, second, options), 0) << second;
    EXPECT_EQ(second, ReadBytes(options.scriptFolder / "town_settings.rerun.expected"));
    EXPECT_EQ(ReadBytes(options.workFolder / "c" / "Program Files" / "Tovalin" / "Corvane" / "config"),
              support::ItemsText({"Parcels", "Parcels.PARCEL_ID", "Parcels", "250", "NONE", "1",
                                  "C:\\Program Files\\Tovalin\\Corvane\\Documents\\"}))
        << "saved by the first run, again unchanged by the second";
}

}  // namespace
