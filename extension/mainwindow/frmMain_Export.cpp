// frmMain: View Report, Configure and Export Table.
#include "extension/mainwindow/frmMain.h"

void frmMain::Command1_Click() {
    // built with View Report
}

void frmMain::Command8_Click() {
    // built with the field configuration dialog
}

void frmMain::Command11_Click() {
    // built with the export-table dialog
}
