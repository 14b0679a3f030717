#include "extension/shared/Tovalin_IO.h"

#include "extension/command/Globals.h"
#include "extension/shared/ErrorHandling.h"
#include "host/core/ErrorTrap.h"
#include "host/platform/FileChannels.h"
#include "host/platform/FileSystem.h"
#include "host/platform/MessageBoxes.h"

namespace {
// Creates the folder when it does not exist yet.
void EnsureFolder(const std::string& folder) {
    if (!fDoesDirectoryExist(folder)) fCreateDirectory(folder);
}
}  // namespace

std::int16_t ResolveProductFolder(const std::string& maker, const std::string& product, const std::string& fileName,
                                  const std::string& subLevel) {
    std::int16_t result = 0;
    host::Trap(
        [&] {
            std::string letter;
            for (char c = 'A'; c <= 'Z'; ++c) {
                if (fDoesDirectoryExist(std::string(1, c) + ":\\Program Files\\")) {
                    letter = std::string(1, c);
                    break;
                }
            }
            if (letter.empty()) {
                host::ShowMessage("Sorry, " + gProductName +
                                  " can't find your local Program Files directory. Please email " + gSupportEmail +
                                  ". Thanks!");
                result = -1;
                return;
            }
            gDriveLetter = letter;

            std::string folder = letter + ":\\Program Files\\" + maker + "\\";
            EnsureFolder(folder);
            if (!subLevel.empty()) {
                folder += subLevel + "\\";
                EnsureFolder(folder);
            }
            folder += product + "\\";
            EnsureFolder(folder);
            gProductFolder = folder;

            std::string path;
            if (!fileName.empty()) {
                path = folder + fileName;
                // Named before the file is made: when it cannot be (a folder of that name,
                // no right to create it), the settings steps that follow fail on this path
                // and report what is wrong with it, not an empty file name.
                gConfigFilePath = path;
                if (!fDoesFileExist(path)) {
                    auto& channels = host::FileChannels::Instance();
                    channels.Close(1);
                    channels.OpenForAppend(1, path);
                    channels.Close(1);
                }
            }
            gConfigFilePath = path;
            result = 1;
        },
        // Failures here are silent: the operations called have reported their own.
        [&](const host::RuntimeError&) { result = -1; });
    return result;
}

bool fDoesFileExist(const std::string& path) {
    bool result = false;
    StandardErrorTrap("fDoesFileExist ", "Tovalin_IO", [&] { result = host::FileSystem::FileExists(path); });
    return result;
}

void fDeleteFile(const std::string& path) {
    StandardErrorTrap("fDeleteFile ", "Tovalin_IO", [&] {
        if (fDoesFileExist(path)) host::FileSystem::DeleteFile(path);
    });
}

void fCreateDirectory(const std::string& path) {
    StandardErrorTrap("fCreateDirectory ", "Tovalin_IO", [&] { host::FileSystem::CreateFolder(path); });
}

bool fDoesDirectoryExist(const std::string& path) {
    bool result = false;
    StandardErrorTrap("fDoesDirectoryExist ", "Tovalin_IO", [&] { result = host::FileSystem::FolderExists(path); });
    return result;
}

std::string WithOneTrailingBackslash(std::string folder) {
    if (folder.empty()) return folder;
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    folder += '\\';
    return folder;
}
