#pragma once
// The shell of a desktop session: starts xdg-open with the address, or with the file
// translated to this machine's path, and does not wait for it. No command interpreter is
// involved: the argument goes to xdg-open as it is.

#include <string>
#include <vector>

#include "host/platform/Shell.h"

namespace host {

class DesktopShell : public Shell {
public:
    void Execute(const ShellRequest& request) override;

    // The argument list Execute starts ("xdg-open", target). Error 52/76 for a file path
    // that cannot be translated.
    static std::vector<std::string> CommandFor(const ShellRequest& request);
};

}  // namespace host
