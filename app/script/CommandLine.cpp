#include "app/script/CommandLine.h"

#include <exception>
#include <filesystem>
#include <ostream>
#include <string_view>

#include "app/script/ScriptRunner.h"

namespace script {

namespace {

// What the arguments ask of the runner.
struct RunnerArguments {
    bool help = false;
    bool unusable = false;
    std::filesystem::path script;
    RunOptions options;
};

RunnerArguments ReadArguments(int argc, char** argv) {
    RunnerArguments read;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            read.help = true;
        } else if (arg == "--script" && i + 1 < argc) {
            read.script = argv[++i];
        } else if (arg == "--work" && i + 1 < argc) {
            read.options.workFolder = argv[++i];
        } else {
            read.unusable = true;
        }
    }
    if (read.script.empty()) read.unusable = true;
    return read;
}

int RunScript(RunnerArguments& read, std::ostream& out, std::ostream& err) {
    try {
        read.options.scriptFolder = std::filesystem::absolute(read.script).parent_path();
        Runner runner(out, err, read.options);
        return runner.RunFile(read.script);
    } catch (const std::exception& e) {
        err << "corvane: " << e.what() << "\n";
        return 2;
    }
}

}  // namespace

std::string Usage(bool withDesktop) {
    std::string usage = "usage: ";
    if (withDesktop) usage += "corvane [MAP]\n       ";
    usage +=
        "corvane --script FILE [--work FOLDER]\n"
        "       corvane --version\n"
        "       corvane -h | --help\n"
        "\n";
    if (withDesktop)
        usage += "  MAP            opens the map document (.json) or dataset MAP in the desktop application\n";
    usage +=
        "  --script FILE  runs the host script FILE headless; no display is needed\n"
        "  --work FOLDER  the script's work folder, ${WORK} (else a temporary one, removed at the end)\n"
        "  --version      prints the version\n"
        "  -h, --help     prints this usage\n";
    return usage;
}

std::optional<int> RunCommandLine(int argc, char** argv, bool withDesktop, std::ostream& out, std::ostream& err) {
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        out << "corvane v2.25\n";
        return 0;
    }
    if (withDesktop && (argc == 1 || (argc == 2 && argv[1][0] != '-'))) return std::nullopt;
    RunnerArguments read = ReadArguments(argc, argv);
    if (read.help) {
        out << Usage(withDesktop);
        return 0;
    }
    if (read.unusable) {
        err << Usage(withDesktop);
        return 2;
    }
    return RunScript(read, out, err);
}

}  // namespace script
