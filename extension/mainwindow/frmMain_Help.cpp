// frmMain: the help button.
#include "extension/mainwindow/frmMain.h"

void frmMain::Command13_Click() {
    // built with the help window
}
