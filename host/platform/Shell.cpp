#include "host/platform/Shell.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

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

ShellFailure ShellExecute(std::string_view verb, std::string_view file, std::optional<std::string> parameters,
                          std::string_view folder, int showCommand) {
    return Shell::Current().Execute(
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

namespace {

// What the watcher of the opener tells the shell through the report pipe: the opener could not
// be started (value: the system's error), or it ended with a status other than 0 or by a signal.
struct OpenerReport {
    enum Kind : int { NotStarted, Exited, Killed } kind;
    int value;
};

void Report(int reportFd, OpenerReport::Kind kind, int value) {
    const OpenerReport report{kind, value};
    [[maybe_unused]] const ssize_t written = write(reportFd, &report, sizeof report);
}

// The watcher, a child of the program: starts the opener as its own child and waits for it at
// most waitMs, then ends, which leaves a running opener to init. Only async-signal-safe calls
// (the program has threads). The report pipe closes on exec, so the opener does not hold it.
[[noreturn]] void WatchOpener(char** argv, int reportFd, long waitMs) {
    const pid_t opener = fork();
    if (opener < 0) Report(reportFd, OpenerReport::NotStarted, errno);
    if (opener == 0) {
        execvp(argv[0], argv);
        Report(reportFd, OpenerReport::NotStarted, errno);
        _exit(127);
    }
    // Looks every 5 ms whether the opener has ended, until the wait is over.
    const timespec step{0, 5'000'000};
    for (long waited = 0; opener > 0 && waited <= waitMs; waited += 5) {
        int status = 0;
        const pid_t ended = waitpid(opener, &status, WNOHANG);
        if (ended == opener) {
            if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
                Report(reportFd, OpenerReport::Exited, WEXITSTATUS(status));
            if (WIFSIGNALED(status)) Report(reportFd, OpenerReport::Killed, WTERMSIG(status));
            break;
        }
        if (ended < 0 && errno != EINTR) break;
        nanosleep(&step, nullptr);
    }
    _exit(0);
}

// The words for what xdg-open's documented statuses mean.
std::string ExitCause(const std::string& opener, int status) {
    std::string cause = opener + " ended with status " + std::to_string(status);
    switch (status) {
    case 2: return cause + " (the file was not found)";
    case 3: return cause + " (no program to open it was found)";
    case 4: return cause + " (the program could not open it)";
    default: return cause;
    }
}

std::string Cause(const std::string& opener, const OpenerReport& report) {
    switch (report.kind) {
    case OpenerReport::NotStarted:
        if (report.value == ENOENT) return opener + " was not found (it comes with xdg-utils)";
        return opener + " could not be started (" + std::strerror(report.value) + ")";
    case OpenerReport::Exited: return ExitCause(opener, report.value);
    case OpenerReport::Killed: return opener + " was ended by signal " + std::to_string(report.value);
    }
    return opener + " failed";
}

// The first report the watcher sent, if any; reads until the watcher and the opener have let
// go of the pipe.
std::optional<OpenerReport> ReadReport(int reportFd) {
    std::optional<OpenerReport> first;
    OpenerReport report{};
    for (;;) {
        const ssize_t got = read(reportFd, &report, sizeof report);
        if (got < 0 && errno == EINTR) continue;
        if (got != static_cast<ssize_t>(sizeof report)) break;
        if (!first) first = report;
    }
    return first;
}

}  // namespace

ShellFailure DesktopShell::Execute(const ShellRequest& request) {
    std::vector<std::string> command = CommandFor(request);
    std::vector<char*> argv;
    for (std::string& arg : command) argv.push_back(arg.data());
    argv.push_back(nullptr);

    // Started twice removed, so that the opener is never left behind as a zombie and nothing
    // waits for the program it starts beyond the watcher's wait.
    int reportPipe[2];
    if (pipe2(reportPipe, O_CLOEXEC) != 0) return Cause(command[0], {OpenerReport::NotStarted, errno});
    const pid_t watcher = fork();
    if (watcher == 0) {
        close(reportPipe[0]);
        WatchOpener(argv.data(), reportPipe[1], static_cast<long>(openerWait_.count()));
    }
    const int forkError = errno;
    close(reportPipe[1]);
    const std::optional<OpenerReport> report =
        watcher < 0 ? std::optional(OpenerReport{OpenerReport::NotStarted, forkError}) : ReadReport(reportPipe[0]);
    close(reportPipe[0]);
    if (watcher > 0) {
        int status = 0;
        while (waitpid(watcher, &status, 0) < 0 && errno == EINTR) {
        }
    }
    if (!report) return std::nullopt;
    return Cause(command[0], *report);
}

}  // namespace host
