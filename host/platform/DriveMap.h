#pragma once
// The drive map: the platform's drive letters and the folders that stand for them. The
// extension speaks drive-letter paths ("C:\Program Files\Tovalin\Corvane\config"); every
// file-system operation of host/platform translates them here.
//
// By default C: is "<user data folder>/corvane/drive_c" (XDG_DATA_HOME, else
// ~/.local/share) and Z: the file-system root. Tests map drives to temporary folders.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace host {

class DriveMap {
public:
    // The process-wide map. It starts with the defaults (folders are not created).
    static DriveMap& Instance();

    // An empty map; the current folder is "C:\".
    DriveMap();

    // Maps a letter (either case) to a folder; replaces an earlier mapping. Error 5 for a
    // character that is not a letter. The current folder always lies on a mapped drive
    // when there is one: when its drive is not mapped it moves to the root of C:, or of the
    // first mapped drive when C: is not mapped either.
    void Map(char letter, const std::filesystem::path& folder);
    void Unmap(char letter);
    // Removes every mapping; the current folder goes back to "C:\".
    void Clear();
    // C: to DefaultDriveC(), Z: to "/", nothing else; the current folder is "C:\".
    void UseDefaults();
    // UseDefaults, then creates the C: folder and its "Program Files" folder when missing
    // (the host does this when it starts).
    void PrepareDefaultDrives();

    // The folder the default C: stands for.
    static std::filesystem::path DefaultDriveC();

    // The mapped letters, upper case, from A to Z ("CZ" by default).
    std::string Letters() const;
    bool IsMapped(char letter) const;
    // The folder of a mapped letter; error 76 when the letter is not mapped.
    std::filesystem::path Folder(char letter) const;

    // The folder relative paths are resolved against, as a drive path ("C:\" at first).
    // Setting it checks the form only (error 52) and keeps it absolute, ending in "\".
    const std::string& CurrentFolder() const { return current_; }
    void SetCurrentFolder(std::string_view windowsPath);

    // Puts a drive path into its absolute form: upper-case drive letter, "\" separators,
    // "." and ".." applied (".." stops at the drive root), no doubled separators; a
    // trailing "\" is kept. "C:" and "c:" give "C:\"; "C:x" and "\x" are taken from the
    // root of the given or the current drive; a relative path joins the current folder.
    // Error 52 for an empty or malformed path (a UNC name, a colon or one of < > " | ? *
    // or a control character in a name, a drive that is not a letter).
    std::string Absolute(std::string_view windowsPath) const;

    // Translates a drive path to the folder on this machine ("\" and "/" both accepted,
    // case kept). Error 52 for a malformed path, 76 for a drive that is not mapped.
    std::filesystem::path ToNative(std::string_view windowsPath) const;

    // Translates a path of this machine to a drive path "X:\..." through the mapped folder
    // that holds it most closely (Z: "/" holds everything). Error 76 when no mapped folder
    // holds it.
    std::string ToWindows(const std::filesystem::path& native) const;

private:
    void KeepCurrentOnAMappedDrive();

    std::map<char, std::filesystem::path> drives_;
    std::string current_ = "C:\\";
};

}  // namespace host
