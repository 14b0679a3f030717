#include "tests/support/HeadlessTest.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

#include "extension/command/Globals.h"
#include "host/carto/FeatureLayer.h"
#include "host/core/Text.h"
#include "host/data/FeatureClass.h"
#include "host/data/SelectionSet.h"
#include "host/platform/FileChannels.h"
#include "host/platform/Screen.h"

namespace support {

namespace fs = std::filesystem;

namespace {

// No test may reach the user's own drive C:: the map starts empty for the test program. Nor
// the user's locale: texts compare and sort by the root rules in every test.
class NoUserSettings : public ::testing::Environment {
public:
    void SetUp() override {
        host::DriveMap::Instance().Clear();
        host::UseTextLocale("");
    }
};
[[maybe_unused]] const auto* const kNoUserSettings = ::testing::AddGlobalTestEnvironment(new NoUserSettings);

// Gives back write permission everywhere below the folder, so that it can be removed.
void MakeWritable(const fs::path& root) {
    std::error_code ec;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_symlink(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
}

}  // namespace

void HeadlessTest::SetUp() {
    std::string pattern = (fs::temp_directory_path() / "corvane-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) FAIL() << "cannot create a temporary folder";
    root_ = pattern;

    host::FileChannels::Instance().CloseAll();
    savedDrives_ = host::DriveMap::Instance();
    host::DriveMap::Instance().Clear();
    MapDrive('C');

    messages_ = std::make_shared<host::HeadlessMessageBoxes>();
    shell_ = std::make_shared<host::HeadlessShell>();
    savedMessages_ = host::MessageBoxes::Install(messages_);
    savedShell_ = host::Shell::Install(shell_);
    host::Screen::Instance().Reset();
    ResetSharedState();
}

void HeadlessTest::TearDown() {
    host::FileChannels::Instance().CloseAll();
    host::MessageBoxes::Install(savedMessages_);
    host::Shell::Install(savedShell_);
    host::DriveMap::Instance() = savedDrives_;
    host::Screen::Instance().Reset();
    ResetSharedState();
    if (root_.empty()) return;
    MakeWritable(root_);
    std::error_code ec;
    fs::remove_all(root_, ec);
}

fs::path HeadlessTest::MapDrive(char letter) {
    fs::path folder = root_ / (std::string("drive_") + static_cast<char>(std::tolower(letter)));
    fs::create_directories(folder);
    host::DriveMap::Instance().Map(letter, folder);
    return folder;
}

fs::path HeadlessTest::MakeProgramFiles(char letter) {
    fs::path folder = host::DriveMap::Instance().Folder(letter) / "Program Files";
    fs::create_directories(folder);
    return folder;
}

fs::path HeadlessTest::Native(std::string_view windowsPath) { return host::DriveMap::Instance().ToNative(windowsPath); }

void HeadlessTest::SetIdentity() {
    gProductName = "Corvane";
    gVersion = "v2.25";
}

void HeadlessTest::WriteBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << file;
}

std::string HeadlessTest::ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string HeadlessTest::FileText(std::string_view windowsPath) {
    const fs::path file = Native(windowsPath);
    return fs::exists(file) ? ReadBytes(file) : "(missing)";
}

void HeadlessTest::WriteItems(std::string_view windowsPath, const std::vector<std::string>& items) {
    WriteBytes(Native(windowsPath), ItemsText(items));
}

std::vector<std::string> HeadlessTest::TakeMessages() {
    std::vector<std::string> texts = Messages().Texts();
    Messages().ClearShown();
    return texts;
}

std::vector<long> HeadlessTest::ReportedErrors(const std::vector<std::string>& texts) {
    std::vector<long> numbers;
    const std::string key = "ERROR NUMBER: ";
    for (const std::string& text : texts) {
        const auto at = text.find(key);
        numbers.push_back(at == std::string::npos ? 0 : std::stol(text.substr(at + key.size())));
    }
    return numbers;
}

std::vector<std::string> HeadlessTest::ReportModules() {
    std::vector<std::string> modules;
    for (const std::string& text : Messages().Texts()) {
        const std::size_t at = text.find("MODULE: ");
        if (at != std::string::npos) modules.push_back(text.substr(at + 8, text.find("\r\n", at) - at - 8));
    }
    return modules;
}

void HeadlessTest::Select(const host::Ref<host::FeatureLayer>& layer, std::vector<long> ids) {
    layer->SetSelectionSet(host::New<host::SelectionSet>(layer->FeatureClass(), std::move(ids)));
}

std::vector<long> HeadlessTest::Selected(const host::Ref<host::FeatureLayer>& layer) {
    return layer->SelectionSet()->IDs();
}

std::string ItemsText(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += '"' + item + "\"\r\n";
    return text;
}

}  // namespace support
