#include <gtest/gtest.h>

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

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

// PATH holds only one folder while it lives.
class ScopedPath {
public:
    explicit ScopedPath(const std::filesystem::path& folder) {
        if (const char* path = getenv("PATH")) saved_ = path;
        setenv("PATH", folder.c_str(), 1);
    }
    ~ScopedPath() {
        if (saved_)
            setenv("PATH", saved_->c_str(), 1);
        else
            unsetenv("PATH");
    }
    ScopedPath(const ScopedPath&) = delete;
    ScopedPath& operator=(const ScopedPath&) = delete;

private:
    std::optional<std::string> saved_;
};

TEST_F(ServicesTest, DesktopShellSaysWhyXdgOpenCouldNotOpenTheDocument) {
    const auto bin = TempRoot() / "bin";
    const ScopedPath path(bin);
    using std::chrono::milliseconds;
    // The opener's script (none: no xdg-open), whether it may run, how long the shell waits
    // for it and the cause expected.
    const struct {
        const char* script;
        bool executable;
        milliseconds wait;
        std::optional<std::string> failure;
    } cases[] = {
        {nullptr, false, milliseconds(2000), "xdg-open was not found (it comes with xdg-utils)"},
        {"exit 0", false, milliseconds(2000), "xdg-open could not be started (Permission denied)"},
        {"exit 3", true, milliseconds(2000), "xdg-open ended with status 3 (no program to open it was found)"},
        {"exit 1", true, milliseconds(2000), "xdg-open ended with status 1"},
        {"echo \"$1\" > \"${0%/*}/../opened\"", true, milliseconds(2000), std::nullopt},
        // Still running at the end of the wait: it has handed the document on.
        {"exec >/dev/null 2>&1; /bin/sleep 2; exit 4", true, milliseconds(200), std::nullopt},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(bin);
        std::filesystem::create_directories(bin);
        if (c.script) WriteBytes(bin / "xdg-open", std::string("#!/bin/sh\n") + c.script + "\n");
        if (c.executable) std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
        host::DesktopShell shell(c.wait);
        EXPECT_EQ(shell.Execute({"open", "Docs\\Labels.fodt", std::nullopt, "C:\\", 1}), c.failure)
            << (c.script ? c.script : "(none)");
    }
    EXPECT_EQ(ReadBytes(TempRoot() / "opened"), (TempRoot() / "drive_c" / "Docs" / "Labels.fodt").string() + "\n");
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
