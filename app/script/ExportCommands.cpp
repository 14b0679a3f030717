// Runner commands for the files that sit beside the extension's documents:
//
//   copy FILE DRIVEPATH      copies a file of this machine (a script path) to a drive path; a
//                            drive path ending in "\" names a folder and keeps the file's name
//   print file DRIVEPATH     FILE "C:\...\Export.txt" lines=3, then a line "| ..." for each
//                            line of the file, a tab shown as \t; a last line without its
//                            CR LF is marked "(no line end)"
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "app/script/ScriptCommands.h"
#include "app/script/ScriptLanguage.h"
#include "app/script/ScriptRunner.h"
#include "host/platform/DriveMap.h"

namespace script {

namespace {

namespace fs = std::filesystem;

std::string ShowTabs(std::string_view line) {
    std::string out;
    for (char c : line) {
        if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out;
}

const ScriptCommand kCopy("copy", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 2, "copy FILE DRIVEPATH");
    const fs::path from = runner.NativePath(args[0]);
    fs::path to = host::DriveMap::Instance().ToNative(args[1]);
    if (!args[1].empty() && args[1].back() == '\\') to /= from.filename();
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec) throw ScriptError("cannot copy " + from.string() + " to " + args[1] + ": " + ec.message());
});

const ScriptPrintTopic kPrintFile("file", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 1, "print file DRIVEPATH");
    std::ifstream in(host::DriveMap::Instance().ToNative(args[0]), std::ios::binary);
    if (!in) throw ScriptError("cannot read " + args[0]);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back("| " + ShowTabs(text.substr(from, end - from)));
    if (from < text.size()) lines.push_back("| " + ShowTabs(text.substr(from)) + " (no line end)");
    runner.Print("FILE " + Quoted(args[0]) + " lines=" + std::to_string(lines.size()));
    for (const std::string& line : lines) runner.Print(line);
});

}  // namespace

}  // namespace script
