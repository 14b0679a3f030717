#include "app/script/CommandLine.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "app/script/ScriptRunner.h"

namespace script {

namespace {

int Usage() {
    std::fputs("usage: corvane --script FILE [--work FOLDER]\n", stderr);
    return 2;
}

}  // namespace

bool WantsRunner(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--script") == 0 || std::strcmp(argv[i], "--version") == 0) return true;
    return false;
}

int RunCommandLine(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("corvane v2.25");
        return 0;
    }
    std::filesystem::path script;
    RunOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--script") == 0 && i + 1 < argc) {
            script = argv[++i];
        } else if (std::strcmp(argv[i], "--work") == 0 && i + 1 < argc) {
            options.workFolder = argv[++i];
        } else {
            return Usage();
        }
    }
    if (script.empty()) return Usage();
    options.scriptFolder = std::filesystem::absolute(script).parent_path();
    try {
        Runner runner(std::cout, std::cerr, options);
        return runner.RunFile(script);
    } catch (const std::exception& e) {
        std::cerr << "corvane: " << e.what() << "\n";
        return 2;
    }
}

}  // namespace script
