#pragma once
// The headless test fixture: each test gets its own temporary folder with drive C: mapped
// to a fresh folder in it, fresh headless message boxes and shell, closed file channels, the
// screen's defaults and a fresh shared state. Everything is put back after the test.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "host/platform/DriveMap.h"
#include "host/platform/HeadlessMessageBoxes.h"
#include "host/platform/HeadlessShell.h"

namespace support {

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The test's own temporary folder (removed after the test).
    const std::filesystem::path& TempRoot() const { return root_; }
    // Maps the letter to a new empty folder "drive_<letter>" in the temporary folder and
    // returns it (C: is mapped this way before each test).
    std::filesystem::path MapDrive(char letter);
    // Creates "Program Files" on a mapped drive and returns its folder on this machine.
    std::filesystem::path MakeProgramFiles(char letter = 'C');
    // The folder on this machine of a drive path.
    static std::filesystem::path Native(std::string_view windowsPath);

    // Sets the identity values the command sets when it is created ("Corvane", "v2.25").
    static void SetIdentity();

    host::HeadlessMessageBoxes& Messages() { return *messages_; }
    host::HeadlessShell& ShellRequests() { return *shell_; }

    // Whole-file helpers on paths of this machine (bytes as they are).
    static void WriteBytes(const std::filesystem::path& file, std::string_view bytes);
    static std::string ReadBytes(const std::filesystem::path& file);

private:
    std::filesystem::path root_;
    host::DriveMap savedDrives_;
    std::shared_ptr<host::HeadlessMessageBoxes> messages_;
    std::shared_ptr<host::HeadlessShell> shell_;
    std::shared_ptr<host::MessageBoxes> savedMessages_;
    std::shared_ptr<host::Shell> savedShell_;
};

// The text a file of settings items holds: each item quoted, CR LF after each.
std::string ItemsText(std::initializer_list<std::string_view> items);

}  // namespace support
