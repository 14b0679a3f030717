#include <gtest/gtest.h>

#include "host/platform/DesktopShell.h"
#include "host/platform/MessageBoxes.h"
#include "host/platform/Screen.h"
#include "host/platform/Shell.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/HeadlessTest.h"

namespace {

using host::MessageBoxAnswer;
using host::MessageBoxKind;
using support::ErrorOf;

class ServicesTest : public support::HeadlessTest {};

TEST_F(ServicesTest, HeadlessBoxesRecordEveryBoxAndAnswerFromTheQueue) {
    Messages().QueueAnswer(MessageBoxAnswer::Yes);
    std::vector<std::string> seen;
    Messages().OnShow = [&](const host::MessageBoxRecord& box) { seen.push_back(box.text); };

    host::ShowMessage("Invalid buffer size");
    EXPECT_EQ(host::AskYesNo("File already exists. Overwrite?"), MessageBoxAnswer::Yes);
    EXPECT_EQ(host::AskYesNo("Again?"), MessageBoxAnswer::No);  // nothing queued

    ASSERT_EQ(Messages().Shown().size(), 3u);
    EXPECT_EQ(Messages().Shown()[0].kind, MessageBoxKind::OkOnly);
    EXPECT_EQ(Messages().Shown()[1].kind, MessageBoxKind::YesNo);
    EXPECT_EQ(Messages().Shown()[2].answer, MessageBoxAnswer::No);
    EXPECT_EQ(seen, Messages().Texts());
}

TEST_F(ServicesTest, InstallingAServiceReturnsThePreviousOne) {
    auto mine = std::make_shared<host::HeadlessMessageBoxes>();
    auto previous = host::MessageBoxes::Install(mine);
    host::ShowMessage("to mine");
    EXPECT_EQ(mine->Texts(), std::vector<std::string>{"to mine"});
    EXPECT_TRUE(Messages().Shown().empty());
    EXPECT_EQ(host::MessageBoxes::Install(previous), mine);
    host::ShowMessage("back");
    EXPECT_EQ(Messages().Texts(), std::vector<std::string>{"back"});
}

TEST_F(ServicesTest, DesktopShellPassesAddressesAsTheyAreAndTranslatesFiles) {
    auto folder = TempRoot() / "drive_c";
    struct Case {
        const char* file;
        const char* folder;
        std::string target;
    } cases[] = {
        {"http://www.example.com/?a=1&b=$(x)", "", "http://www.example.com/?a=1&b=$(x)"},
        {"mailto:support@example.com", "", "mailto:support@example.com"},
        {"Docs\\My Labels.doc", "C:\\", (folder / "Docs" / "My Labels.doc").string()},
        {"Docs\\x.doc", "C:\\Base", (folder / "Base" / "Docs" / "x.doc").string()},
        {"C:\\Docs\\x.doc", "C:\\Ignored\\", (folder / "Docs" / "x.doc").string()},
    };
    for (const auto& c : cases) {
        auto command = host::DesktopShell::CommandFor({"open", c.file, std::nullopt, c.folder, 1});
        EXPECT_EQ(command, (std::vector<std::string>{"xdg-open", c.target})) << c.file;
    }
    EXPECT_EQ(ErrorOf([] { host::DesktopShell::CommandFor({"open", "x.doc", std::nullopt, "Q:\\", 1}); }), 76);
}

TEST_F(ServicesTest, ScreenPointerAndSize) {
    auto& screen = host::Screen::Instance();
    std::vector<int> changes;
    screen.PointerChanged = [&](int shape) { changes.push_back(shape); };
    screen.SetMousePointer(host::pointer::Hourglass);
    screen.SetMousePointer(host::pointer::Custom);
    screen.SetMousePointer(host::pointer::Default);
    EXPECT_EQ(changes, (std::vector<int>{11, 99, 0}));
    EXPECT_EQ(ErrorOf([&] { screen.SetMousePointer(16); }), 5);
    EXPECT_EQ(screen.MousePointer(), 0);

    EXPECT_EQ(screen.Width(), 1920 * 15);
    EXPECT_EQ(screen.Height(), 1080 * 15);
    screen.SetSizePixels(800, 600);
    EXPECT_EQ(screen.Width(), 12000);
    EXPECT_EQ(ErrorOf([&] { screen.SetSizePixels(0, 600); }), 5);
}

}  // namespace
