// The example scripts of the kept settings: a first run of the runner chooses the pickers
// and a distance on the example town; a second run on the same drives finds them restored.
#include <filesystem>
#include <string>

#include "app/script/ScriptRunner.h"
#include "tests/support/HeadlessTest.h"

namespace {

class SettingsScriptTest : public support::HeadlessTest {
protected:
    // Runs an example script with its drives in the work folder; returns its output.
    static std::string Run(const std::filesystem::path& work) {
        script::RunOptions options;
        options.scriptFolder = std::filesystem::path(CORVANE_SOURCE_DIR) / "examples";
        options.workFolder = work;
        std::string out;
        EXPECT_EQ(script::RunScriptText(ReadBytes(options.scriptFolder / "town_settings.script"), out, options), 0)
            << out;
        return out;
    }
};

TEST_F(SettingsScriptTest, ASecondRunOnTheSameDrivesRestoresEveryPickerTheListAndTheDistance) {
    const std::filesystem::path work = TempRoot() / "work",
                                examples = std::filesystem::path(CORVANE_SOURCE_DIR) / "examples";
    EXPECT_EQ(Run(work), ReadBytes(examples / "town_settings.expected"));
    EXPECT_EQ(Run(work), ReadBytes(examples / "town_settings.rerun.expected"));
    EXPECT_EQ(ReadBytes(work / "c" / "Program Files" / "Tovalin" / "Corvane" / "config"),
              support::ItemsText({"Parcels", "Parcels.PARCEL_ID", "Parcels", "250", "NONE", "1",
                                  "C:\\Program Files\\Tovalin\\Corvane\\Documents\\"}))
        << "saved by the first run, again unchanged by the second";
}

}  // namespace
