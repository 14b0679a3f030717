// frmMain: the documents list and the button that sets its folder.
#include "extension/mainwindow/frmMain.h"

void frmMain::RefillDocumentsList() {
    // built with the documents folder dialog
}

void frmMain::Command15_Click() {
    // built with the documents folder dialog
}
