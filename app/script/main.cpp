// corvane --script FILE: runs a host script headless. Output lines go to standard output;
// a failing script line is named on standard error and the exit status is not 0. Without the
// desktop front end the command line never asks for the desktop.
#include <iostream>

#include "app/script/CommandLine.h"

int main(int argc, char** argv) { return script::RunCommandLine(argc, argv, false, std::cout, std::cerr).value_or(2); }
