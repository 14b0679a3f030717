// frmMain: the help button.
#include "extension/mainwindow/frmHelp.h"
#include "extension/mainwindow/frmMain.h"
#include "extension/shared/ErrorHandling.h"

// Opens one more help window, never a reused one: the new window's frame is created (which
// loads the window), captioned and shown. Earlier help windows stay open.
void frmMain::Command13_Click() {
    StandardErrorTrap("Command13_Click ", "frmMain", [&] {
        auto help = host::New<frmHelp>();
        help->Frame()->SetVisible(true);
    });
}
