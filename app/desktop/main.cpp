// corvane [MAP]: the desktop map application with Corvane, on MAP (a map document or a
// dataset) when one is given.
// corvane --script FILE [--work FOLDER]: runs a host script headless; no display is needed.
// corvane --version, corvane -h | --help (the whole command line: app/script/CommandLine.h)
#include <QApplication>

#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/desktop/HostSession.h"
#include "app/desktop/MainWindow.h"
#include "app/desktop/QtPlatform.h"
#include "app/script/CommandLine.h"
#include "host/platform/DesktopShell.h"
#include "host/platform/Shell.h"

namespace {
// Qt aborts the program when it finds no display to connect to; say so plainly instead. A
// platform named in QT_QPA_PLATFORM (offscreen, say) needs none.
bool HasDisplay() {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}
}  // namespace

int main(int argc, char** argv) {
    // The headless runner, the usage and the version make no QApplication, so they need no
    // display.
    if (auto status = script::RunCommandLine(argc, argv, true, std::cout, std::cerr)) return *status;
    if (!HasDisplay()) {
        std::cerr << "corvane: no display to show the map window on (DISPLAY is not set); "
                     "corvane --script FILE runs without one\n";
        return 1;
    }

    QApplication app(argc, argv);
    desktop::SetUpApplication();
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
