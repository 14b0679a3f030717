#include <gtest/gtest.h>

#include "host/platform/DesktopShell.h"
#include "host/platform/MessageBoxes.h"
#include "host/platform/Screen.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/HeadlessTest.h"

namespace {

using host::MessageBoxAnswer;
using support::ErrorOf;

class ServicesTest : public support::HeadlessTest {};

TEST_F(ServicesTest, HeadlessBoxesAnswerFromTheQueueThenNo) {
    Messages().QueueAnswer(MessageBoxAnswer::Yes);
    host::ShowMessage("Invalid buffer size");  // an OK box takes no answer from the queue
    EXPECT_EQ(host::AskYesNo("File already exists. Overwrite?"), MessageBoxAnswer::Yes);
    EXPECT_EQ(host::AskYesNo("Again?"), MessageBoxAnswer::No);
    EXPECT_EQ(Messages().Texts(),
              (std::vector<std::string>{"Invalid buffer size", "File already exists. Overwrite?", "Again?"}));
}

TEST_F(ServicesTest, DesktopShellPassesAddressesAsTheyAreAndTranslatesFiles) {
    auto folder = TempRoot() / "drive_c";
    struct Case {
        const char* file;
        const char* folder;
        std::string target;
    } cases[] = {
        {"http://www.example.com/?a=1&b=$(x)", "", "http://www.example.com/?a=1&b=$(x)"},
        {"Docs\\My Labels.doc", "C:\\", (folder / "Docs" / "My Labels.doc").string()},
        {"C:\\Docs\\x.doc", "C:\\Ignored\\", (folder / "Docs" / "x.doc").string()},
    };
    for (const auto& c : cases) {
        auto command = host::DesktopShell::CommandFor({"open", c.file, std::nullopt, c.folder, 1});
        EXPECT_EQ(command, (std::vector<std::string>{"xdg-open", c.target})) << c.file;
    }
    EXPECT_EQ(ErrorOf([] { host::DesktopShell::CommandFor({"open", "x.doc", std::nullopt, "Q:\\", 1}); }), 76);
}

TEST_F(ServicesTest, ScreenRefusesUnknownPointersAndEmptySizes) {
    auto& screen = host::Screen::Instance();
    screen.SetMousePointer(host::pointer::Custom);
    EXPECT_EQ(ErrorOf([&] { screen.SetMousePointer(16); }), 5);
    screen.SetSizePixels(800, 600);
    EXPECT_EQ(ErrorOf([&] { screen.SetSizePixels(0, 600); }), 5);
    EXPECT_EQ(screen.Width(), 12000);
}

}  // namespace
