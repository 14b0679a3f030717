#pragma once
// The settings files of the product folder: "config" (seven items, the working settings)
// and "fields" (sixteen items, the field of each address-label slot). Both use the item
// format of host/platform (one double-quoted item per line, CR LF). These routines have no
// error trap of their own: a failure is a run-time error for the caller's trap.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The value that means no layer, field or document is chosen.
inline constexpr std::string_view kNone = "NONE";

inline constexpr std::size_t kConfigItemCount = 7;
inline constexpr std::size_t kFieldsItemCount = 16;

// The eight address-label slots of "fields", in file order.
enum class ExportFieldSlot { ParcelId, NameA, NameB, AddressA, AddressB, City, State, Zip };
inline constexpr std::size_t kExportFieldSlotCount = 8;
inline constexpr std::array<std::string_view, kExportFieldSlotCount> kExportFieldSlotKeys = {
    "XPARCELIDX", "XNAMEAX", "XNAMEBX", "XADDRESSAX", "XADDRESSBX", "XCITYX", "XSTATEX", "XZIPX"};
std::string_view ExportFieldSlotKey(ExportFieldSlot slot);

// The seven default items of "config"; the seventh is the current gDocumentsFolder.
std::vector<std::string> DefaultConfigItems();
// The sixteen default items of "fields": each slot's key, then "NONE".
std::vector<std::string> DefaultFieldsItems();
// The default items of "fields" joined without separators ("XPARCELIDXNONEXNAMEAX...").
std::string DefaultFieldsText();

// The seven shared settings (gBufferLayerName ... gDocumentsFolder) in file order.
std::vector<std::string> ConfigItemsFromSharedState();

// Whether the file holds the wanted number of items, read through file number 1 (closed
// first and after): exactly that many, every empty line counting as an empty item; or more,
// when all after the wanted ones are empty (empty lines an editor left at the end), which
// give the readers nothing: they read the wanted items, or join or pair empty texts.
bool HoldsSettingsItems(const std::string& path, std::size_t wanted);

// The value as a settings item can hold it: double quotes become single quotes and line
// breaks blanks, so that the file keeps its item count.
std::string StorableItem(std::string value);

// Writes the items to the file, one per line, replacing what it held (each through
// StorableItem). The items go to a temporary file of this writer's own in the same folder
// through file number 1, which then replaces the file in one step, so a failure leaves the
// old file as it was. Runs under the file's lock (see RepairSettingsFile). Raises on
// failure (70 for a read-only file), naming the file and the cause.
void WriteSettingsFile(const std::string& path, const std::vector<std::string>& items);

// The check and repair run at each click of the command: creates the file empty when it
// is missing, counts its items and, unless it holds defaults.size() of them (see
// HoldsSettingsItems; such a file is left exactly as it is), rewrites it with the
// defaults. Returns true when it rewrote the file. The whole check runs under an
// advisory lock on the lock file beside the settings file ("config.lock"), as does every
// WriteSettingsFile, so that another program sharing the product folder cannot save in
// between: each sees and leaves only whole files.
bool RepairSettingsFile(const std::string& path, const std::vector<std::string>& defaults);
// RepairSettingsFile for "config" (gConfigFilePath) and for "fields" (gFieldsFilePath).
bool RepairConfigFile();
bool RepairFieldsFile();
