// corvane --script FILE: runs a host script headless. Output lines go to standard output;
// a failing script line is named on standard error and the exit status is not 0.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "app/script/ScriptRunner.h"

namespace {

int Usage() {
    std::fputs("usage: corvane --script FILE [--work FOLDER]\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("corvane v2.25");
        return 0;
    }
    std::filesystem::path script;
    script::RunOptions options;
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
        script::Runner runner(std::cout, std::cerr, options);
        return runner.RunFile(script);
    } catch (const std::exception& e) {
        std::cerr << "corvane: " << e.what() << "\n";
        return 2;
    }
}
