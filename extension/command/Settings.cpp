#include "extension/command/Settings.h"

#include "extension/command/Globals.h"
#include "host/core/ErrorTrap.h"
#include "host/platform/FileChannels.h"
#include "host/platform/FileSystem.h"

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

std::size_t CountSettingsItems(const std::string& path) {
    auto& channels = host::FileChannels::Instance();
    channels.Close(kFileNumber);
    channels.OpenForInput(kFileNumber, path);
    std::size_t count = 0;
    while (!channels.Eof(kFileNumber)) {
        channels.ReadItem(kFileNumber);
        ++count;
    }
    channels.Close(kFileNumber);
    return count;
}

std::string StorableItem(std::string value) {
    // An item runs from one double quote to the next and ends its line, so a double quote
    // or a line break inside a value would split it and change the file's item count, and
    // the next check would then reset every setting to its default. Such characters cannot
    // be stored: a double quote is kept as a single quote, a line break as a blank.
    for (char& c : value) {
        if (c == '"') c = '\'';
        else if (c == '\r' || c == '\n') c = ' ';
    }
    return value;
}

void WriteSettingsFile(const std::string& path, const std::vector<std::string>& items) {
    auto& channels = host::FileChannels::Instance();
    channels.Close(kFileNumber);
    // A read-only file stays as it is, as deleting it would fail.
    if (host::FileSystem::IsReadOnly(path)) host::Raise(host::err::PermissionDenied);

    const std::string temporary = path + ".tmp";
    if (host::FileSystem::FileExists(temporary)) host::FileSystem::DeleteFile(temporary);
    try {
        channels.OpenForAppend(kFileNumber, temporary);
        for (const std::string& item : items) channels.WriteItem(kFileNumber, StorableItem(item));
        channels.Close(kFileNumber);
        host::FileSystem::ReplaceFile(temporary, path);
    } catch (...) {
        host::ResumeNext([&] { channels.Close(kFileNumber); });
        host::ResumeNext([&] {
            if (host::FileSystem::FileExists(temporary)) host::FileSystem::DeleteFile(temporary);
        });
        throw;
    }
}

bool RepairSettingsFile(const std::string& path, const std::vector<std::string>& defaults) {
    auto& channels = host::FileChannels::Instance();
    channels.Close(kFileNumber);
    channels.OpenForAppend(kFileNumber, path);
    channels.Close(kFileNumber);

    if (CountSettingsItems(path) == defaults.size()) return false;
    WriteSettingsFile(path, defaults);
    return true;
}

bool RepairConfigFile() { return RepairSettingsFile(gConfigFilePath, DefaultConfigItems()); }

bool RepairFieldsFile() { return RepairSettingsFile(gFieldsFilePath, DefaultFieldsItems()); }
