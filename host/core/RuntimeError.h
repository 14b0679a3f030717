#pragma once
// Run-time errors of the platform: a number and a description, raised by host calls.

#include <stdexcept>
#include <string>

namespace host {

// The platform's error numbers that the host raises.
namespace err {
inline constexpr long InvalidProcedureCall = 5;       // "Invalid procedure call or argument"
inline constexpr long Overflow = 6;                   // "Overflow"
inline constexpr long OutOfMemory = 7;                // "Out of memory"
inline constexpr long SubscriptOutOfRange = 9;        // "Subscript out of range"
inline constexpr long TypeMismatch = 13;              // "Type mismatch"
inline constexpr long BadFileNameOrNumber = 52;       // "Bad file name or number"
inline constexpr long FileNotFound = 53;              // "File not found"
inline constexpr long BadFileMode = 54;               // "Bad file mode"
inline constexpr long FileAlreadyOpen = 55;           // "File already open"
inline constexpr long DeviceIOError = 57;             // "Device I/O error"
inline constexpr long FileAlreadyExists = 58;         // "File already exists"
inline constexpr long DiskFull = 61;                  // "Disk full"
inline constexpr long InputPastEndOfFile = 62;        // "Input past end of file"
inline constexpr long PermissionDenied = 70;          // "Permission denied"
inline constexpr long PathFileAccessError = 75;       // "Path/File access error"
inline constexpr long PathNotFound = 76;              // "Path not found"
inline constexpr long ObjectNotSet = 91;              // "Object variable or With block variable not set"
inline constexpr long InvalidUseOfNull = 94;          // "Invalid use of Null"
inline constexpr long AutomationError = -2147467259;  // "Automation error" (the host rejected a request)
}  // namespace err

// The platform's description of an error number ("Application-defined or object-defined
// error" for a number it does not know).
std::string ErrorDescription(long number);

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(long number);
    RuntimeError(long number, std::string description);

    long Number() const { return number_; }
    const std::string& Description() const { return description_; }

private:
    long number_;
    std::string description_;
};

// Raises the error with its standard description, or with the given one.
[[noreturn]] void Raise(long number);
[[noreturn]] void Raise(long number, std::string description);

}  // namespace host
