#pragma once
// The host as the desktop application runs it. Starting: the drives are prepared, the
// extension library registers its command class and the application is launched, which
// creates every registered command. Shutting down, as the host does when it exits: every
// frame closes (the windows' unload handlers run, so the main window saves its settings),
// the forms still loaded unload, the application ends and the extension's shared state is
// released.

#include "host/core/Ref.h"

namespace host {
class Application;
}

namespace desktop {

class HostSession {
public:
    // With defaultDrives the platform's default drives are prepared (C: in the user's data
    // folder); without, the drives already mapped are used (tests map their own) and
    // "C:\Program Files" is made on C: when missing.
    explicit HostSession(bool defaultDrives = true);
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    const host::Ref<host::Application>& Application() const { return application_; }
    // Safe to call more than once.
    void Shutdown();
    // The first steps of shutting down: every frame closes and every form still loaded
    // unloads (their unload handlers run and save what they keep). Safe at any time.
    static void CloseForms();

private:
    host::Ref<host::Application> application_;
};

}  // namespace desktop
