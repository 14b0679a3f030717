#pragma once
// The shell of a desktop session: starts xdg-open with the address, or with the file
// translated to this machine's path. No command interpreter is involved: the argument goes to
// xdg-open as it is.
//
// xdg-open hands the document to its program and normally ends at once. The shell waits for
// it a short while (openerWait) to hear whether it could be started and whether it failed;
// an opener still running after that has started the program and is left to run, never
// waited for again.

#include <chrono>
#include <string>
#include <vector>

#include "host/platform/Shell.h"

namespace host {

class DesktopShell : public Shell {
public:
    explicit DesktopShell(std::chrono::milliseconds openerWait = std::chrono::seconds(2)) : openerWait_(openerWait) {}

    // Nothing when xdg-open started and did not fail within the wait; else the cause: it was
    // not found, could not be started, or ended with a status other than 0 or by a signal.
    ShellFailure Execute(const ShellRequest& request) override;

    // The argument list Execute starts ("xdg-open", target). Error 52/76 for a file path
    // that cannot be translated.
    static std::vector<std::string> CommandFor(const ShellRequest& request);

private:
    std::chrono::milliseconds openerWait_;
};

}  // namespace host
