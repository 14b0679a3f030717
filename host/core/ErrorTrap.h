#pragma once
// Error-trap helpers. A trapping procedure runs its body once through Trap: a run-time
// error (or any other failure of a host call) ends the body at once and goes to the
// procedure's handler; nothing leaves the procedure. "Errors ignored" regions run each
// statement through ResumeNext.

#include <exception>
#include <new>
#include <utility>

#include "host/core/RuntimeError.h"

namespace host {

// Turns whatever a host call threw into the platform's run-time error.
inline RuntimeError CurrentError() {
    try {
        throw;
    } catch (const RuntimeError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return RuntimeError(err::OutOfMemory);
    } catch (const std::exception& e) {
        return RuntimeError(err::AutomationError, e.what());
    } catch (...) {
        return RuntimeError(err::AutomationError);
    }
}

// One statement of an "errors ignored" region: a failure is dropped and the caller goes on.
// Returns true when the statement succeeded.
template <class Statement> bool ResumeNext(Statement&& statement) {
    try {
        std::forward<Statement>(statement)();
        return true;
    } catch (...) {
        return false;
    }
}

// A trap without cleanup.
struct NoCleanup {
    void operator()() const {}
};

// Runs body; on a failure runs cleanup (what the failed body leaves to put back: files to
// close, a pointer or a bar to reset), then calls handler(error). A failure of the cleanup
// itself is dropped, so the handler always hears the body's own error. Returns true when the
// body ran to its end.
template <class Body, class Handler, class Cleanup = NoCleanup>
bool Trap(Body&& body, Handler&& handler, Cleanup&& cleanup = {}) {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (...) {
        RuntimeError error = CurrentError();
        ResumeNext(std::forward<Cleanup>(cleanup));
        std::forward<Handler>(handler)(error);
        return false;
    }
}

}  // namespace host
