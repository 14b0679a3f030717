#pragma once
// The unexpected-error report and the trap every procedure of substance ends in.

#include <string>
#include <string_view>
#include <utility>

#include "host/core/ErrorTrap.h"

// "Line : N", or an empty text for line 0.
std::string ErrorLineText(long line);

// Shows the one fixed message box that reports an unexpected error.
void ReportUnexpectedError(std::string moduleText, long errorNumber, std::string errorDescription);

// Runs a procedure's body; a run-time error ends the body, runs the optional cleanup (what
// the procedure puts back before its report: files closed, the pointer reset), is reported
// with the procedure's name (with its trailing blank) and its module's source name, and the
// procedure then returns whatever result it held. Returns true when the body ran to its end.
//
//   bool fDoesFileExist(const std::string& path) {
//       bool result = false;
//       StandardErrorTrap("fDoesFileExist ", "Tovalin_IO", [&] { result = ...; });
//       return result;
//   }
template <class Body, class Cleanup = host::NoCleanup>
bool StandardErrorTrap(std::string_view procedure, std::string_view source, Body&& body, Cleanup&& cleanup = {}) {
    return host::Trap(
        std::forward<Body>(body),
        [&](const host::RuntimeError& e) {
            std::string moduleText(procedure);
            moduleText += source;
            moduleText += ' ';
            moduleText += ErrorLineText(0);
            ReportUnexpectedError(std::move(moduleText), e.Number(), e.Description());
        },
        std::forward<Cleanup>(cleanup));
}
