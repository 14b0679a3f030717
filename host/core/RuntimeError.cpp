#include "host/core/RuntimeError.h"

namespace host {

std::string ErrorDescription(long number) {
    switch (number) {
    case err::InvalidProcedureCall: return "Invalid procedure call or argument";
    case err::Overflow: return "Overflow";
    case err::OutOfMemory: return "Out of memory";
    case err::SubscriptOutOfRange: return "Subscript out of range";
    case err::TypeMismatch: return "Type mismatch";
    case err::BadFileNameOrNumber: return "Bad file name or number";
    case err::FileNotFound: return "File not found";
    case err::BadFileMode: return "Bad file mode";
    case err::FileAlreadyOpen: return "File already open";
    case err::DeviceIOError: return "Device I/O error";
    case err::FileAlreadyExists: return "File already exists";
    case err::DiskFull: return "Disk full";
    case err::InputPastEndOfFile: return "Input past end of file";
    case err::PermissionDenied: return "Permission denied";
    case err::PathFileAccessError: return "Path/File access error";
    case err::PathNotFound: return "Path not found";
    case err::ObjectNotSet: return "Object variable or With block variable not set";
    case err::InvalidUseOfNull: return "Invalid use of Null";
    case err::AutomationError: return "Automation error";
    default: return "Application-defined or object-defined error";
    }
}

RuntimeError::RuntimeError(long number) : RuntimeError(number, ErrorDescription(number)) {}

RuntimeError::RuntimeError(long number, std::string description)
    : std::runtime_error(description), number_(number), description_(std::move(description)) {}

void Raise(long number) { throw RuntimeError(number); }

void Raise(long number, std::string description) { throw RuntimeError(number, std::move(description)); }

}  // namespace host
