// The runner's `save view`, added by the desktop build: the active view as a PNG picture.
#include "app/script/ScriptRunner.h"
#include "tests/desktop/DesktopTest.h"

namespace desktop_test {
namespace {

class SaveViewTest : public support::HeadlessTest {
protected:
    // Runs the lines after a start on the small map; the work folder is the test's own.
    int Run(const std::string& lines, std::string& out) {
        script::RunOptions options;
        options.workFolder = TempRoot() / "work";
        const std::string script = "drive C: ${WORK}/c\nstart\nopen \"" + SmallMap().string() + "\"\n" + lines;
        return script::RunScriptText(script, out, options);
    }
};

TEST_F(SaveViewTest, WritesTheActiveViewAsAPictureOfTheGivenSize) {
    std::string out;
    ASSERT_EQ(Run("select Parcels \"Parcels.PARCEL_ID = '1-003'\"\n"
                  "save view ${WORK}/view.png 300 150\n"
                  "save view \"${WORK}/default size.png\"\n",
                  out),
              0)
        << out;
    const QImage view(QString::fromStdString((TempRoot() / "work/view.png").string()));
    ASSERT_EQ(view.size(), QSize(300, 150));
    // Half a pixel a foot: parcel 3 (1200 to 1300 feet) lies from pixel
    // 150 to 200 and alone is highlighted.
    const QRgb selected = desktop::MapRenderer::SelectionColor().rgb();
    EXPECT_GT(CountPixels(view, selected, QRect(145, 45, 61, 61)), 100);
    EXPECT_EQ(CountPixels(view, selected, QRect(145, 45, 61, 61), true), 0);
    EXPECT_EQ(QImage(QString::fromStdString((TempRoot() / "work/default size.png").string())).size(), QSize(800, 600));
}

TEST_F(SaveViewTest, BadArgumentsAndAnUnwritablePlaceStopTheScript) {
    const char* const cases[][2] = {
        {"save view", "usage: save view FILE.png [WIDTH HEIGHT]"},
        {"save view ${WORK}/x.png 300", "usage: save view FILE.png [WIDTH HEIGHT]"},
        {"save view ${WORK}/x.png 100 20000", "the height must lie between 1 and 10000"},
        {"save view ${WORK}/no/such/folder/x.png", "cannot write the picture"},
    };
    for (const auto& [line, reason] : cases) {
        std::string out;
        EXPECT_EQ(Run(std::string(line) + "\n", out), 1) << line;
        EXPECT_NE(out.find(":4: "), std::string::npos) << out;
        EXPECT_NE(out.find(reason), std::string::npos) << line << "\n" << out;
    }
    std::string out;
    EXPECT_EQ(script::RunScriptText("save view x.png\n", out), 1);
    EXPECT_NE(out.find("the host has not started"), std::string::npos) << out;
}

}  // namespace
}  // namespace desktop_test
