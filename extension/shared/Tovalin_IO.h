#pragma once
// File and folder helpers, and the product folder. The four thin operations report a
// failure themselves (the unexpected-error report) and return; the caller goes on.

#include <cstdint>
#include <string>

// Finds the first drive, A to Z, that has a "Program Files" folder and makes
// <drive>:\Program Files\<maker>\[<subLevel>\]<product>\ there, one level at a time; an
// empty file of the given name is created in it when missing. Sets gDriveLetter,
// gProductFolder and gConfigFilePath. Returns 1 when done; -1 when no drive has a
// Program Files folder (after a message) or on any failure (silently).
std::int16_t ResolveProductFolder(const std::string& maker, const std::string& product, const std::string& fileName,
                                  const std::string& subLevel);

// True when a file of that path exists; False otherwise and after a reported error.
bool fDoesFileExist(const std::string& path);
// Deletes the file when it exists (not forced: a read-only file is reported and stays).
void fDeleteFile(const std::string& path);
// Creates the one folder named by the path (its parent must exist, it must not).
void fCreateDirectory(const std::string& path);
// True when a folder of that path exists; False otherwise and after a reported error.
bool fDoesDirectoryExist(const std::string& path);

// The folder path ending in exactly one backslash: trailing separators (backslashes or slashes) are
// replaced by one backslash, one is added when there is none ("C:\Docs", "C:\Docs\\" give
// "C:\Docs\"; "C:" gives "C:\"). An empty path stays empty.
std::string WithOneTrailingBackslash(std::string folder);
