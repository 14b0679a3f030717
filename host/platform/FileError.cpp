#include "host/platform/FileError.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "host/core/RuntimeError.h"

namespace host {

namespace {
long NumberFor(int systemError) {
    switch (systemError) {
    case ENOSPC:
    case EDQUOT: return err::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS: return err::PermissionDenied;
    case ENOENT:
    case ENOTDIR: return err::PathNotFound;
    case EIO: return err::DeviceIOError;
    default: return err::PathFileAccessError;
    }
}
}  // namespace

void RaiseFileError(long number, std::string_view path, std::string_view problem) {
    std::string description = ErrorDescription(number);
    description += ": \"";
    description += path;
    description += "\" ";
    description += problem;
    Raise(number, std::move(description));
}

void RaiseFileError(int systemError, std::string_view path, std::string_view failedAction) {
    std::string problem(failedAction);
    problem += " (";
    problem += std::strerror(systemError);
    problem += ')';
    RaiseFileError(NumberFor(systemError), path, problem);
}

}  // namespace host
