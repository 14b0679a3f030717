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
    const fs::path config = work / "c" / "Program Files" / "Tovalin" / "Corvane" / "config";
    const std::string saved = support::ItemsText(
        {"Parcels", "Parcels.PARCEL_ID", "Parcels", "250", "NONE", "1", "C:\\Program Files\\Tovalin\\Corvane\\Documents\\"});

    EXPECT_EQ(Run("town_settings", work), ReadBytes(Examples() / "town_settings.expected"));
    EXPECT_EQ(ReadBytes(config), saved);

    const std::string rerun = Run("town_settings", work);
    EXPECT_EQ(rerun, ReadBytes(Examples() / "town_settings.rerun.expected"));
    EXPECT_NE(rerun.find("frmMain.cboSearchField ComboBox text=\"Parcels.PARCEL_ID\""), std::string::npos);
    EXPECT_NE(rerun.find("frmMain.List1 ListBox text=\"\" index=-1 items=[\"1-1\", \"1-10\""), std::string::npos);
    EXPECT_EQ(ReadBytes(config), saved) << "saved again unchanged";
}

}  // namespace
