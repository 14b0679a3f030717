#include "extension/command/Settings.h"

#include <optional>
#include "extension/command/Globals.h"

#include "host/core/ErrorTrap.h"
#include "host/platform/FileChannels.h"
#include "host/platform/FileLock.h"

namespace {
constexpr int kFileNumber = 1;
}  // namespace

std::string_view ExportFieldSlotKey(ExportFieldSlot slot) {
    return kExportFieldSlotKeys.at(static_cast<std::size_t>(slot));
}

std::vector<std::string> DefaultConfigItems() {
    std::string none(kNone);
    return {none, none, none, "100", none, "0", gDocumentsFolder};
}

std::vector<std::string> DefaultFieldsItems() {
    std::vector<std::string> items;
    for (std::string_view key : kExportFieldSlotKeys) {
        items.emplace_back(key);
        items.emplace_back(kNone);
    }
    return items;
}

std::string DefaultFieldsText() {
    std::string text;
    for (const std::string& item : DefaultFieldsItems()) text += item;
    return text;
}

std::vector<std::string> ConfigItemsFromSharedState() {
    return {gBufferLayerName, gSearchFieldName, gSelectionLayerName, gBufferDistance,
            gDocumentName,    gExcludeBuffered, gDocumentsFolder};
}

bool HoldsSettingsItems(const std::string& path, std::size_t wanted) {
    auto& channels = host::FileChannels::Instance();
    channels.Close(kFileNumber);
    channels.OpenForInput(kFileNumber, path);
    std::size_t count = 0;
    std::size_t upToLastValue = 0;  // the items up to the last one that is not empty
    while (!channels.Eof(kFileNumber)) {
        ++count;
        if (!channels.ReadItem(kFileNumber).empty()) upToLastValue = count;
    }
    channels.Close(kFileNumber);
    // Empty lines an editor added at the end are dropped only when that leaves exactly the
    // items wanted: empty lines among them (or making them up) are the file's own items.
    return count == wanted || (count > wanted && upToLastValue <= wanted);
}

std::string StorableItem(std::string value) {
    // An item runs from one double quote to the next and ends its line, so a double quote
    // or a line break inside a value would split it and change the file's item count, and
    // the next check would then reset every setting to its default. Such characters cannot
    // be stored: a double quote is kept as a single quote, a line break as a blank.
    for (char& c : value) {
        if (c == '"')
            c = '\'';
        else if (c == '\r' || c == '\n')
            c = ' ';
    }
    return value;
}

namespace {

// Every read-and-rewrite and every save of a settings file runs under the lock of the lock
// file beside it ("config.lock"), so that two programs sharing the product folder (two
// windows, a script while the desktop runs) never repair a file the other is saving: the
// last whole save wins. No lock for an empty path, which fails on its own.
std::optional<host::FileLock> LockSettingsFile(const std::string& path) {
    std::optional<host::FileLock> lock;
    if (!path.empty()) lock.emplace(path + ".lock");
    return lock;
}

// Writes the items as the file's new content, whole or not at all: they go to a temporary
// file of this writer's own beside it, which then takes the file's place in one step. The
// caller holds the file's lock.
void ReplaceSettingsItems(const std::string& path, const std::vector<std::string>& items) {
    auto& channels = host::FileChannels::Instance();
    channels.Close(kFileNumber);
    try {
        channels.OpenForReplace(kFileNumber, path);
        for (const std::string& item : items) channels.WriteItem(kFileNumber, StorableItem(item));
        channels.Commit(kFileNumber);
    } catch (...) {
        host::ResumeNext([&] { channels.Close(kFileNumber); });
        throw;
    }
}

}  // namespace

void WriteSettingsFile(const std::string& path, const std::vector<std::string>& items) {
    const auto lock = LockSettingsFile(path);
    ReplaceSettingsItems(path, items);
}

bool RepairSettingsFile(const std::string& path, const std::vector<std::string>& defaults) {
    const auto lock = LockSettingsFile(path);
    auto& channels = host::FileChannels::Instance();
    channels.Close(kFileNumber);
    channels.OpenForAppend(kFileNumber, path);
    channels.Close(kFileNumber);

    if (HoldsSettingsItems(path, defaults.size())) return false;
    ReplaceSettingsItems(path, defaults);
    return true;
}

bool RepairConfigFile() { return RepairSettingsFile(gConfigFilePath, DefaultConfigItems()); }

bool RepairFieldsFile() { return RepairSettingsFile(gFieldsFilePath, DefaultFieldsItems()); }
