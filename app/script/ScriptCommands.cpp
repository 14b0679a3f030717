#include "app/script/ScriptCommands.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "app/script/ScriptLanguage.h"

namespace script {

namespace {

// Registries are function-local statics, so registrars in any file may run first.
std::map<std::string, CommandHandler, std::less<>>& Commands() {
    static std::map<std::string, CommandHandler, std::less<>> commands;
    return commands;
}

std::map<std::string, CommandHandler, std::less<>>& PrintTopics() {
    static std::map<std::string, CommandHandler, std::less<>> topics;
    return topics;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return out;
}

void Add(std::map<std::string, CommandHandler, std::less<>>& registry, std::string name, CommandHandler handler,
         std::string_view what) {
    if (name.empty() || !handler) throw std::logic_error(std::string(what) + " needs a name and a handler");
    if (!registry.emplace(name, std::move(handler)).second)
        throw std::logic_error(std::string(what) + " \"" + name + "\" is registered twice");
}

const CommandHandler* Find(const std::map<std::string, CommandHandler, std::less<>>& registry, std::string_view name) {
    auto it = registry.find(name);
    return it == registry.end() ? nullptr : &it->second;
}

}  // namespace

void RegisterScriptCommand(std::string name, CommandHandler handler) {
    Add(Commands(), std::move(name), std::move(handler), "script command");
}

const CommandHandler* FindScriptCommand(std::string_view name) { return Find(Commands(), name); }

std::vector<std::string> ScriptCommandNames() {
    std::vector<std::string> names;
    for (const auto& entry : Commands()) names.push_back(entry.first);
    return names;
}

void RegisterPrintTopic(std::string word, CommandHandler handler) {
    Add(PrintTopics(), Lower(word), std::move(handler), "print topic");
}

const CommandHandler* FindPrintTopic(std::string_view word) { return Find(PrintTopics(), Lower(word)); }

void ExpectArguments(const Arguments& args, std::size_t count, std::string_view usage) {
    ExpectArguments(args, count, count, usage);
}

void ExpectArguments(const Arguments& args, std::size_t min, std::size_t max, std::string_view usage) {
    if (args.size() < min || args.size() > max) throw ScriptError("usage: " + std::string(usage));
}

}  // namespace script
