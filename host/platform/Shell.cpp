#include "host/platform/Shell.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cctype>

#include "host/platform/DesktopShell.h"
#include "host/platform/DriveMap.h"
#include "host/platform/HeadlessShell.h"
#include "host/platform/ServiceSlot.h"

namespace host {

namespace {
using Slot = ServiceSlot<Shell, HeadlessShell>;

// "http://...", "mailto:..." and the like: a scheme of two or more letters before a colon
// (one letter before a colon is a drive).
bool IsAddress(std::string_view file) {
    std::size_t colon = file.find(':');
    if (colon == std::string_view::npos || colon < 2) return false;
    for (std::size_t i = 0; i < colon; ++i) {
        auto c = static_cast<unsigned char>(file[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return std::isalpha(static_cast<unsigned char>(file[0])) != 0;
}

bool IsAbsoluteDrivePath(std::string_view file) {
    return (file.size() >= 2 && file[1] == ':') || (!file.empty() && (file[0] == '\\' || file[0] == '/'));
}
}  // namespace

Shell& Shell::Current() { return Slot::Current(); }

std::shared_ptr<Shell> Shell::Install(std::shared_ptr<Shell> service) { return Slot::Install(std::move(service)); }

void ShellExecute(std::string_view verb, std::string_view file, std::optional<std::string> parameters,
                  std::string_view folder, int showCommand) {
    Shell::Current().Execute(
        ShellRequest{std::string(verb), std::string(file), std::move(parameters), std::string(folder), showCommand});
}

std::vector<std::string> DesktopShell::CommandFor(const ShellRequest& request) {
    std::string target;
    if (IsAddress(request.file)) {
        target = request.file;
    } else {
        const DriveMap& drives = DriveMap::Instance();
        std::string path = request.file;
        if (!IsAbsoluteDrivePath(path) && !request.folder.empty()) {
            std::string folder = request.folder;
            if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
            path = folder + path;
        }
        target = drives.ToNative(path).string();
    }
    return {"xdg-open", target};
}

void DesktopShell::Execute(const ShellRequest& request) {
    std::vector<std::string> command = CommandFor(request);
    std::vector<char*> argv;
    for (std::string& arg : command) argv.push_back(arg.data());
    argv.push_back(nullptr);

    // Started twice removed, so that the opener is never left behind as a zombie and
    // nothing waits for the program it starts.
    pid_t child = fork();
    if (child == 0) {
        if (fork() == 0) {
            execvp(argv[0], argv.data());
            _exit(127);
        }
        _exit(0);
    }
    if (child > 0) {
        int status = 0;
        waitpid(child, &status, 0);
    }
}

}  // namespace host
