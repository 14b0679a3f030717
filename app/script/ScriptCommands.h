#pragma once
// The runner's commands. Each command lives in a file of its own subject and registers
// itself when the program starts:
//
//   namespace {
//   const script::ScriptCommand kOpen("open", [](script::Runner& runner, const script::Arguments& args) {
//       script::ExpectArguments(args, 1, "open PATH");
//       ...
//   });
//   }
//
// `print WORD` works the same way for words that are not forms (`print selection`):
// register them with ScriptPrintTopic.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace script {

class Runner;

// The words after the command.
using Arguments = std::vector<std::string>;
using CommandHandler = std::function<void(Runner&, const Arguments&)>;

// Adds a command. A name registered twice is a programming error (std::logic_error).
void RegisterScriptCommand(std::string name, CommandHandler handler);
// The command of that name (exact case), or null.
const CommandHandler* FindScriptCommand(std::string_view name);
std::vector<std::string> ScriptCommandNames();

// Adds a topic of `print` (`print selection`, `print count`). Topics are matched ignoring
// case and take precedence over forms of the same name.
void RegisterPrintTopic(std::string word, CommandHandler handler);
const CommandHandler* FindPrintTopic(std::string_view word);

// Registers at start-up from a static object.
struct ScriptCommand {
    ScriptCommand(std::string name, CommandHandler handler) {
        RegisterScriptCommand(std::move(name), std::move(handler));
    }
};
struct ScriptPrintTopic {
    ScriptPrintTopic(std::string word, CommandHandler handler) {
        RegisterPrintTopic(std::move(word), std::move(handler));
    }
};

// ScriptError "usage: USAGE" unless there are exactly count arguments.
void ExpectArguments(const Arguments& args, std::size_t count, std::string_view usage);
// The same for at least min and at most max arguments.
void ExpectArguments(const Arguments& args, std::size_t min, std::size_t max, std::string_view usage);

}  // namespace script
