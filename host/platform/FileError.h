#pragma once
// Run-time errors for files that name the file and say what is wrong with it, so that a
// report tells the user which path failed and why (a full disk, a folder where a file
// should be) rather than only the error's number.

#include <string_view>

namespace host {

// Raises the error number with the description made of the number's standard text, the
// path in double quotes and the problem: Path/File access error: "C:\x\config" is a folder.
[[noreturn]] void RaiseFileError(long number, std::string_view path, std::string_view problem);

// Raises the error that fits a failed system call on the file (61 for a full disk or quota,
// 70 for missing rights or a read-only file system, 76 for a missing folder, 57 for a device
// error, else 75). The description names the file, what could not be done to it and the
// system's cause: Disk full: "C:\x\Export.txt" could not be written (No space left on device).
[[noreturn]] void RaiseFileError(int systemError, std::string_view path, std::string_view failedAction);

}  // namespace host
