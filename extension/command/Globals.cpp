#include "extension/command/Globals.h"

void ResetSharedState() {
    gProductName.clear();
    gVersion.clear();
    gMainForm.Reset();
    gDriveLetter.clear();
    gProductFolder.clear();
    gConfigFilePath.clear();
    gFieldsFilePath.clear();
    gAppRef.Reset();
    gApplication.Reset();
    gMxDocument.Reset();
    gBufferLayerName.clear();
    gSearchFieldName.clear();
    gSelectionLayerName.clear();
    gBufferDistance.clear();
    gDocumentName.clear();
    gExcludeBuffered.clear();
    gDocumentsFolder.clear();
    gSuppressListClick = false;
}
