#pragma once
// File-system operations on drive paths (see DriveMap). Each raises the platform's error
// for a bad path: 52 malformed, 76 a folder on the way missing or a drive not mapped.

#include <string>
#include <string_view>
#include <vector>

namespace host {

class FileSystem {
public:
    // True when a file (not a folder) of that path exists. False for a drive that is not
    // mapped; error 52 for an empty or malformed path.
    static bool FileExists(std::string_view path);
    // True when a folder of that path exists (a drive root counts). False for a drive that
    // is not mapped; error 52 for an empty or malformed path.
    static bool FolderExists(std::string_view path);

    // Creates one folder. Error 58 when something of that name exists, 76 when the parent
    // folder is missing, 70 when it may not be created.
    static void CreateFolder(std::string_view path);

    // Deletes a file without forcing: a read-only file stays and raises 70; a missing file
    // (or a folder) raises 53.
    static void DeleteFile(std::string_view path);

    // Replaces target by source in one step (a rename within the folder): target need not
    // exist. Error 53 when source is missing, 70 when target is read-only or a folder.
    static void ReplaceFile(std::string_view source, std::string_view target);

    // What makes a file name unusable in the folder, or an empty text when it can be used:
    // a character that file names cannot hold (\ / : * ? " < > | and control characters),
    // a name longer than 255 bytes, or a whole path longer than this machine takes.
    static std::string FileNameProblem(std::string_view folder, std::string_view name);

    // True when the file exists and is read-only (no write permission for its owner).
    static bool IsReadOnly(std::string_view path);
    static void SetReadOnly(std::string_view path, bool readOnly);

    // The names of the files of a folder (hidden "." names left out), sorted ignoring case.
    // Error 76 when the folder does not exist.
    static std::vector<std::string> Files(std::string_view folder);
    // The names of the sub-folders of a folder, likewise.
    static std::vector<std::string> SubFolders(std::string_view folder);
};

}  // namespace host
