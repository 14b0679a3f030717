#pragma once
// The command line of corvane, shared by both builds of the program:
//   corvane [MAP]                            the desktop map application (desktop build only)
//   corvane --script FILE [--work FOLDER]    runs a host script headless
//   corvane --version
//   corvane -h | --help
// Exit statuses: 0 done (a script ran to its end, the usage or the version was printed), 1 a
// script line failed, 2 a command line it cannot use, a script file it cannot read or a work
// folder it cannot make.

#include <iosfwd>
#include <optional>
#include <string>

namespace script {

// The usage, a line for each form and each option. withDesktop: the program has the desktop
// front end, whose form `corvane [MAP]` it lists first.
std::string Usage(bool withDesktop);

// Runs what the command line asks for and returns the exit status, or nullopt when it asks
// for the desktop (withDesktop only: no argument, or one that is no option, the map to open).
// -h or --help prints the usage on out; arguments it cannot use print it on err.
std::optional<int> RunCommandLine(int argc, char** argv, bool withDesktop, std::ostream& out, std::ostream& err);

}  // namespace script
