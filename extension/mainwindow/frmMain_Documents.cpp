// frmMain: the documents list and the button that sets its folder.
#include "extension/command/Globals.h"
#include "extension/export/frmSetDir.h"
#include "extension/mainwindow/frmMain.h"
#include "extension/shared/ErrorHandling.h"
#include "host/core/ScopedFlag.h"

namespace {
constexpr const char* kSource = "frmMain";
}  // namespace

// No error trap of its own: a documents folder that is missing or unreadable fails the
// first statement, before the list changes, into the caller's trap.
void frmMain::RefillDocumentsList() {
    File1.SetPath(gDocumentsFolder);
    // The entry shown from here on is the refill's, not a user's choice of document.
    host::ScopedFlag filling(m_bFillingDocuments);
    cboDocs.Clear();
    for (const std::string& name : File1.Items()) cboDocs.AddItem(name);
    if (cboDocs.ListCount() > 0) {
        cboDocs.SetListIndex(0);
        // The name must match exactly; gDocumentName itself is left as it is.
        const long index = cboDocs.IndexOf(gDocumentName);
        if (index >= 0) cboDocs.SetListIndex(index);
    }
}

void frmMain::Command15_Click() {
    StandardErrorTrap("Command15_Click ", kSource, [&] {
        auto dialog = host::New<frmSetDir>();
        dialog->ShowModal();
        // Saved or cancelled: the folder's files may have changed meanwhile.
        RefillDocumentsList();
    });
}
