#pragma once
// The command line of the headless runner, shared by both builds of corvane:
//   corvane --script FILE [--work FOLDER]   runs a host script headless
//   corvane --version

namespace script {

// True when the arguments ask for the runner (--script or --version anywhere among them).
bool WantsRunner(int argc, char** argv);

// Runs the runner's command line: the script's exit status (0 ran to its end, 1 a failing
// line), 2 with a usage line on standard error for arguments it cannot read.
int RunCommandLine(int argc, char** argv);

}  // namespace script
