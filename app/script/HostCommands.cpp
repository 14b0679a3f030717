// Runner commands that set up and drive the host: drives, start-up, command clicks, answers
// to questions, unloading forms.
#include <filesystem>
#include <system_error>

#include "app/script/ScriptCommands.h"
#include "app/script/ScriptRunner.h"
#include "extension/command/Registration.h"
#include "host/forms/Form.h"
#include "host/framework/Application.h"
#include "host/framework/CommandBars.h"
#include "host/framework/CommandItem.h"
#include "host/platform/DriveMap.h"
#include "host/platform/FileSystem.h"

namespace script {

namespace {

char DriveLetter(const std::string& word) {
    const bool letter = !word.empty() && ((word[0] >= 'A' && word[0] <= 'Z') || (word[0] >= 'a' && word[0] <= 'z'));
    if (!letter || word.size() > 2 || (word.size() == 2 && word[1] != ':'))
        throw ScriptError("expected a drive such as C:, not \"" + word + "\"");
    return static_cast<char>(word[0] >= 'a' ? word[0] - 'a' + 'A' : word[0]);
}

host::Ref<host::Application> RunningHost() {
    host::Ref<host::Application> app = host::Application::Running();
    if (!app) throw ScriptError("the host has not started (start comes first)");
    return app;
}

// drive X: FOLDER
const ScriptCommand kDrive("drive", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 2, "drive X: FOLDER");
    if (runner.Started()) throw ScriptError("drives are mapped before start");
    const char letter = DriveLetter(args[0]);
    const std::filesystem::path folder = runner.NativePath(args[1]);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder)) throw ScriptError("cannot use the folder " + folder.string());
    // Once a script maps a drive, only the drives it maps exist.
    if (!runner.DrivesMapped()) host::DriveMap::Instance().Clear();
    runner.MarkDrivesMapped();
    host::DriveMap::Instance().Map(letter, folder);
});

// start: the host starts as an installed system does.
const ScriptCommand kStart("start", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 0, "start");
    if (runner.Started()) throw ScriptError("the host has already started");
    auto& drives = host::DriveMap::Instance();
    if (!runner.DrivesMapped()) {
        drives.PrepareDefaultDrives();
    } else if (drives.IsMapped('C') && !host::FileSystem::FolderExists("C:\\Program Files")) {
        host::FileSystem::CreateFolder("C:\\Program Files");
    }
    // Loading the extension: the library registers its command class.
    if (CorvaneRegisterServer() != kRegOk) throw ScriptError("the extension did not register");
    runner.MarkStarted();
    host::Application::Launch()->Start();
});

// click COMMAND: a click on a command's button.
const ScriptCommand kClick("click", [](Runner&, const Arguments& args) {
    ExpectArguments(args, 1, "click COMMAND");
    host::Ref<host::CommandItem> item = RunningHost()->CommandBars()->Find(args[0]);
    if (!item) throw ScriptError("no command \"" + args[0] + "\"");
    item->Execute();
});

// answer yes|no: the answer to the next question box.
const ScriptCommand kAnswer("answer", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 1, "answer yes|no");
    if (args[0] == "yes")
        runner.QueueAnswer(true);
    else if (args[0] == "no")
        runner.QueueAnswer(false);
    else
        throw ScriptError("usage: answer yes|no");
});

// unload FORM
const ScriptCommand kUnload("unload", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 1, "unload FORM");
    runner.FindForm(args[0]).Unload();
});

}  // namespace

}  // namespace script
