#pragma once
// The shell service: asks the desktop to open a document or an address with the program
// that belongs to it. One service is current for the process (a HeadlessShell until
// another is installed); the desktop application installs a DesktopShell.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace host {

// Why a request could not be handed to a program ("xdg-open was not found ..."); nullopt when
// it was handed on.
using ShellFailure = std::optional<std::string>;

// What was asked of the shell. parameters is empty (nullopt) when none were given, as
// opposed to an empty text.
struct ShellRequest {
    std::string verb;
    std::string file;
    std::optional<std::string> parameters;
    std::string folder;
    int showCommand = 1;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Hands the request to a program and returns why it could not, if it could not. A request
    // the service cannot even make (a file path that does not translate) raises instead.
    virtual ShellFailure Execute(const ShellRequest& request) = 0;

    static Shell& Current();
    // Installs a service and returns the one it replaces; nullptr puts back a fresh
    // headless one.
    static std::shared_ptr<Shell> Install(std::shared_ptr<Shell> service);
};

// ShellExecute(owner, verb, file, parameters, folder, show) through the current service.
// The file is an address ("http://...", "mailto:...") or a drive path, relative to folder
// when it is not absolute. Returns why the request could not be handed to a program; a caller
// that does not look at it lets the failure pass silently.
ShellFailure ShellExecute(std::string_view verb, std::string_view file, std::optional<std::string> parameters,
                          std::string_view folder, int showCommand = 1);

}  // namespace host
