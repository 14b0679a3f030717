#include "app/desktop/HostSession.h"

#include "extension/command/Globals.h"
#include "extension/command/Registration.h"
#include "host/core/ErrorTrap.h"
#include "host/forms/Form.h"
#include "host/forms/HostFrame.h"
#include "host/framework/Application.h"
#include "host/platform/DriveMap.h"
#include "host/platform/FileChannels.h"
#include "host/platform/FileSystem.h"

namespace desktop {

HostSession::HostSession(bool defaultDrives) {
    host::DriveMap& drives = host::DriveMap::Instance();
    if (defaultDrives) {
        drives.PrepareDefaultDrives();
    } else if (drives.IsMapped('C') && !host::FileSystem::FolderExists("C:\\Program Files")) {
        host::FileSystem::CreateFolder("C:\\Program Files");
    }
    // Loading the extension library: its register entry point records the command class.
    if (CorvaneRegisterServer() != kRegOk) host::Raise(host::err::AutomationError, "The extension did not register");
    application_ = host::Application::Launch();
    application_->Start();
}

HostSession::~HostSession() { Shutdown(); }

void HostSession::Shutdown() {
    if (!application_) return;
    application_ = nullptr;
    CloseForms();
    host::ResumeNext([] { host::Application::Shutdown(); });
    host::FileChannels::Instance().CloseAll();
    ResetSharedState();
}

void HostSession::CloseForms() {
    host::ResumeNext([] { host::HostFrame::CloseAll(); });
    host::ResumeNext([] {
        for (host::Form* form : host::Form::LoadedForms()) form->Unload();
    });
}

}  // namespace desktop
