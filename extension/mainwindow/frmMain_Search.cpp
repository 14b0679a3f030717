// frmMain: the Go search over the search list and the buffer-distance box.
#include "extension/mainwindow/frmMain.h"

void frmMain::Command4_Click() {
    // built with the search list
}

void frmMain::txtBuffer_KeyPress(int& KeyAscii) {
    (void)KeyAscii;  // built with the search list
}

void frmMain::txtBuffer_LostFocus() {
    // built with the search list
}

void frmMain::txtBuffer_Change() {
    // built with the search list
}
