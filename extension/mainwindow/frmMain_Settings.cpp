// frmMain: loading and saving the settings, and the layer, field and document pickers.
#include "extension/mainwindow/frmMain.h"

void frmMain::Form_Load() {
    // built with the settings and pickers
}

void frmMain::Form_Unload(int& Cancel) {
    (void)Cancel;  // built with the settings and pickers
}

void frmMain::cboBufferLayer_Click() {
    // built with the settings and pickers
}

void frmMain::cboSearchField_Click() {
    // built with the settings and pickers
}

void frmMain::cboSelectionLayer_Click() {
    // built with the settings and pickers
}

void frmMain::Check1_Click() {
    // built with the settings and pickers
}

void frmMain::cboDocs_Click() {
    // built with the settings and pickers
}
