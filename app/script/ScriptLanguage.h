#pragma once
// The host-script language: one command a line, "#" starts a comment, a word with blanks
// goes in double quotes and two double quotes inside stand for one.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace script {

// A script line that cannot be run: bad syntax, an unknown command, a missing form or
// control, a failed check. The runner reports it with the line's number and stops.
class ScriptError : public std::runtime_error {
public:
    explicit ScriptError(const std::string& reason, int line = 0) : std::runtime_error(reason), line_(line) {}
    // The script line it stands on, 0 when the error does not know it.
    int Line() const { return line_; }

private:
    int line_;
};

// Splits one line into its words, the command first. A line that is blank or holds only a
// comment gives no words. Raises ScriptError for a quote that is never closed or a quoted
// word that runs straight into further characters.
std::vector<std::string> SplitWords(std::string_view line);

// One line of a script, numbered from 1.
struct ScriptLine {
    int number = 0;
    std::vector<std::string> words;
};

// Splits a whole script into its non-empty lines (CR LF, LF or CR line ends). A syntax
// error carries the number of the line it stands on.
std::vector<ScriptLine> ParseScript(std::string_view text);

// A text as one output field: line breaks (CR LF, LF or CR) print as \n, so one message is
// always one output line.
std::string OneLine(std::string_view text);

// A text in double quotes for output, with a double quote inside written twice and line
// breaks as OneLine gives them.
std::string Quoted(std::string_view text);

// Shortest decimal text that reads back as the same double ("5", "2.5", "-0.1").
std::string NumberText(double value);

// Reads a whole decimal number; ScriptError naming what was expected when it is not one.
double ParseNumber(std::string_view word, std::string_view what);
long ParseInteger(std::string_view word, std::string_view what);

}  // namespace script
