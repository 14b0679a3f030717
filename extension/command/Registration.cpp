#include "extension/command/Registration.h"

#include <strings.h>
#include <cstring>

#include "extension/command/Corvane.h"
#include "host/core/ErrorTrap.h"

namespace {

host::Ref<host::ICommand> MakeCorvane() { return host::New<Corvane>(); }

}  // namespace

// No exception may leave an entry point: a failure becomes a failed result.

long CorvaneRegisterServer() {
    bool done = host::ResumeNext([] {
        host::ComponentRegistry::Instance().Register({kCorvaneProgId, kCorvaneClassId, kCorvaneCategory, MakeCorvane});
    });
    return done ? kRegOk : kRegFailed;
}

long CorvaneUnregisterServer() {
    bool removed = false;
    bool done = host::ResumeNext([&] { removed = host::ComponentRegistry::Instance().Unregister(kCorvaneProgId); });
    if (!done) return kRegFailed;
    return removed ? kRegOk : kRegFalse;
}

long CorvaneGetClassObject(const char* classId, host::ComponentRegistry::Factory* factory) {
    if (factory == nullptr) return kRegFailed;
    *factory = nullptr;
    if (classId == nullptr) return kRegClassNotAvailable;
    if (strcasecmp(classId, kCorvaneClassId) != 0 && strcasecmp(classId, kCorvaneProgId) != 0)
        return kRegClassNotAvailable;
    *factory = MakeCorvane;
    return kRegOk;
}

long CorvaneCanUnloadNow() { return Corvane::LiveObjects() == 0 ? kRegOk : kRegFalse; }
