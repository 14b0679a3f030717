// corvane [MAP]: the desktop map application with Corvane, on MAP (a map document or a
// dataset) when one is given.
// corvane --script FILE [--work FOLDER]: runs a host script headless; no display is needed.
// corvane --version
#include <QApplication>
#include <QStyleFactory>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/desktop/HostSession.h"
#include "app/desktop/MainWindow.h"
#include "app/desktop/QtPlatform.h"
#include "app/script/ScriptRunner.h"
#include "host/platform/DesktopShell.h"
#include "host/platform/Shell.h"

namespace {

int Usage() {
    std::fputs("usage: corvane [MAP]\n       corvane --script FILE [--work FOLDER]\n       corvane --version\n", stderr);
    return 2;
}

// The headless runner: no QApplication is made, so no display is needed.
int RunScript(int argc, char** argv) {
    std::filesystem::path script;
    script::RunOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--script") == 0 && i + 1 < argc)
            script = argv[++i];
        else if (std::strcmp(argv[i], "--work") == 0 && i + 1 < argc)
            options.workFolder = argv[++i];
        else
            return Usage();
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

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("corvane v2.25");
        return 0;
    }
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--script") == 0) return RunScript(argc, argv);
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) return Usage();

    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Corvane"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    desktop::QtPlatform platform;
    auto savedShell = host::Shell::Install(std::make_shared<host::DesktopShell>());
    int status = 0;
    try {
        desktop::HostSession session;
        {
            desktop::MainWindow window(session.Application());
            if (argc == 2) window.OpenMap(QString::fromLocal8Bit(argv[1]));
            window.show();
            status = QApplication::exec();
        }
        session.Shutdown();
    } catch (const std::exception& e) {
        std::cerr << "corvane: " << e.what() << "\n";
        status = 1;
    }
    host::Shell::Install(savedShell);
    return status;
}
