#pragma once
// The towngen command line: reads the arguments, generates the town, reports what it wrote.

#include <iosfwd>
#include <string>
#include <vector>

namespace towngen {

// Runs towngen with the arguments that follow the program name. Returns the exit status:
// 0 done, 1 the town could not be written, 2 the arguments are wrong. Messages go to `out`
// (the summary, the help) and `err` (everything that went wrong).
int RunTowngen(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace towngen
