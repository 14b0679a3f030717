#pragma once
// The shared state: values that live as long as the extension is loaded. Every window
// reads them directly.

#include <string>

#include "host/core/Ref.h"

namespace host {
class AppRef;
class Application;
class MxDocument;
}  // namespace host
class frmMain;

// Identity, set when the command is created.
inline std::string gProductName;
inline std::string gVersion;
inline host::Ref<frmMain> gMainForm;

// The maker's support address, given in the error report and the Program Files message.
inline const std::string gSupportEmail = "support@example.com";

// The product folder and the settings files.
inline std::string gDriveLetter;
inline std::string gProductFolder;
inline std::string gConfigFilePath;
inline std::string gFieldsFilePath;

// The host, taken at each click.
inline host::Ref<host::AppRef> gAppRef;
inline host::Ref<host::Application> gApplication;
inline host::Ref<host::MxDocument> gMxDocument;

// The seven settings of "config".
inline std::string gBufferLayerName;
inline std::string gSearchFieldName;
inline std::string gSelectionLayerName;
inline std::string gBufferDistance;
inline std::string gDocumentName;
inline std::string gExcludeBuffered;
inline std::string gDocumentsFolder;

// Set while code changes the search list's selection, so that its click does nothing.
inline bool gSuppressListClick = false;

// Puts every shared value back to its state before the command was created (tests use it
// to start each case afresh).
void ResetSharedState();
