#pragma once
// The headless test fixture: each test gets its own temporary folder with drive C: mapped
// to a fresh folder in it, fresh headless message boxes and shell, closed file channels, the
// screen's defaults and a fresh shared state. Everything is put back after the test.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/platform/DriveMap.h"
#include "host/platform/HeadlessMessageBoxes.h"
#include "host/platform/HeadlessShell.h"

#include "host/core/Ref.h"

namespace host {
class FeatureLayer;
}  // namespace host

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
    // The bytes of a file given by its drive path; "(missing)" when there is none.
    static std::string FileText(std::string_view windowsPath);
    // Writes a settings file of these items at a drive path.
    static void WriteItems(std::string_view windowsPath, const std::vector<std::string>& items);

    // The message boxes shown since the last call, then forgets them.
    std::vector<std::string> TakeMessages();
    // The error number of each unexpected-error report among the texts (0 for another box).
    static std::vector<long> ReportedErrors(const std::vector<std::string>& texts);
    // The MODULE line of each unexpected-error report shown so far.
    std::vector<std::string> ReportModules();

    // Selects features of a layer by object id, as the user's own selection tool does, and
    // the selected ids of a layer, ascending.
    static void Select(const host::Ref<host::FeatureLayer>& layer, std::vector<long> ids);
    static std::vector<long> Selected(const host::Ref<host::FeatureLayer>& layer);

private:
    std::filesystem::path root_;
    host::DriveMap savedDrives_;
    std::shared_ptr<host::HeadlessMessageBoxes> messages_;
    std::shared_ptr<host::HeadlessShell> shell_;
    std::shared_ptr<host::MessageBoxes> savedMessages_;
    std::shared_ptr<host::Shell> savedShell_;
};

// The text a file of settings items holds: each item quoted, CR LF after each.
std::string ItemsText(const std::vector<std::string>& items);

}  // namespace support
