#pragma once
// The extension library's four exported entry points, as the platform calls them on an
// in-process component library: register, unregister, get class object, can unload.
// Register records the command class "Tovalin.Corvane" (category "Tovalin") in the host's
// component registry; the host creates the registered commands when it starts.

#include "host/framework/ComponentRegistry.h"

// Result codes of the entry points.
inline constexpr long kRegOk = 0;                           // done
inline constexpr long kRegFalse = 1;                        // done, the answer is no
inline constexpr long kRegFailed = 0x80004005L;             // failed
inline constexpr long kRegClassNotAvailable = 0x80040111L;  // no such class here

extern "C" {

// Records the command class in the host's component registry.
__attribute__((visibility("default"))) long CorvaneRegisterServer();
// Removes it again; kRegFalse when it was not registered.
__attribute__((visibility("default"))) long CorvaneUnregisterServer();
// The class object (a factory making new Corvane objects) for the class identifier or the
// programmatic identifier; kRegClassNotAvailable for any other class.
__attribute__((visibility("default"))) long CorvaneGetClassObject(const char* classId,
                                                                  host::ComponentRegistry::Factory* factory);
// kRegOk when no Corvane object is alive, so the host may unload the library; else kRegFalse.
__attribute__((visibility("default"))) long CorvaneCanUnloadNow();
}
