// The example scripts of the kept settings: a first run of the runner chooses the pickers
// and a distance on the example town; a second run on the same drives finds them restored.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/script/ScriptRunner.h"
#include "tests/support/HeadlessTest.h"

namespace {

namespace fs = std::filesystem;

class SettingsScriptTest : public support::HeadlessTest {
protected:
    static fs::path Examples() { return fs::path(CORVANE_SOURCE_DIR) / "examples"; }
    // Runs an example script with its drives in the work folder; returns its output.
    static std::string Run(const std::string& name, const fs::path& work) {
        script::RunOptions options;
        options.scriptFolder = Examples();
        options.workFolder = work;
        std::string out;
        EXPECT_EQ(script::RunScriptText(ReadBytes(Examples() / (name + ".script")), out, options), 0) << out;
        return out;
    }
};

TEST_F(SettingsScriptTest, ASecondRunOnTheSameDrivesRestoresEveryPickerTheListAndTheDistance) {
    const fs::path work = TempRoot() / "work";
    EXPECT_EQ(Run("town_settings", work), ReadBytes(Examples() / "town_settings.expected"));
    const std::string config = ReadBytes(work / "c" / "Program Files" / "Tovalin" / "Corvane" / "config");
    EXPECT_EQ(config, support::ItemsText({"Parcels", "Parcels.PARCEL_ID", "Parcels", "250", "NONE", "1",
                                          "C:\\Program Files\\Tovalin\\Corvane\\Documents\\"}));

    EXPECT_EQ(Run("town_settings_restore", work), ReadBytes(Examples() / "town_settings_restore.expected"));
    EXPECT_EQ(ReadBytes(work / "c" / "Program Files" / "Tovalin" / "Corvane" / "config"), config)
        << "saved again unchanged";

    // On fresh drives the same script finds only the defaults.
    const std::string fresh = Run("town_settings_restore", TempRoot() / "fresh");
    EXPECT_NE(fresh.find("frmMain.cboBufferLayer ComboBox text=\"NONE\" index=0"), std::string::npos) << fresh;
    EXPECT_NE(fresh.find("frmMain.txtBuffer TextBox text=\"100\""), std::string::npos) << fresh;
}

}  // namespace
