// frmMain: the buffer-and-select pipeline (list click and Buffer Selected Features), Clear
// and Erase Buffer.
#include "extension/mainwindow/frmMain.h"

void frmMain::List1_Click() {
    // built with the buffer-and-select pipeline
}

void frmMain::btnBufferSelected_Click() {
    // built with the buffer-and-select pipeline
}

void frmMain::Command14_Click() {
    // built with Clear and Erase Buffer
}

void frmMain::Command3_Click() {
    // built with Clear and Erase Buffer
}
