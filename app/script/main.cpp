// corvane --script FILE: runs a host script headless. Output lines go to standard output;
// a failing script line is named on standard error and the exit status is not 0.
#include "app/script/CommandLine.h"

int main(int argc, char** argv) { return script::RunCommandLine(argc, argv); }
