#include "app/script/ScriptRunner.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <ostream>
#include <random>
#include <sstream>
#include <system_error>

#include "app/script/ScriptCommands.h"
#include "extension/command/Globals.h"
#include "host/core/ErrorTrap.h"
#include "host/core/Text.h"
#include "host/forms/Control.h"
#include "host/forms/Form.h"
#include "host/forms/HostFrame.h"
#include "host/forms/ModalDialogs.h"
#include "host/framework/Application.h"
#include "host/platform/DriveMap.h"
#include "host/platform/FileChannels.h"
#include "host/platform/HeadlessMessageBoxes.h"
#include "host/platform/Screen.h"
#include "host/platform/Shell.h"

namespace script {

namespace {

// Prints every shell request instead of opening anything.
class PrintingShell : public host::Shell {
public:
    explicit PrintingShell(Runner& runner) : runner_(runner) {}
    host::ShellFailure Execute(const host::ShellRequest& request) override {
        runner_.Print("SHELL " + request.verb + " " + Quoted(request.file) + " " +
                      Quoted(request.parameters.value_or("")) + " " + Quoted(request.folder));
        return std::nullopt;
    }

private:
    Runner& runner_;
};

std::filesystem::path MakeTemporaryFolder() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto folder = base / ("corvane-script-" + std::to_string(random()));
        std::error_code ec;
        if (std::filesystem::create_directory(folder, ec)) return folder;
    }
    throw ScriptError("cannot make a temporary folder in " + base.string());
}

std::string Replace(std::string text, std::string_view from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace

Runner::Runner(std::ostream& out, std::ostream& err, RunOptions options)
    : out_(out), err_(err), options_(std::move(options)), savedDrives_(host::DriveMap::Instance()) {
    if (options_.workFolder.empty()) {
        workFolder_ = MakeTemporaryFolder();
        ownsWorkFolder_ = true;
    } else {
        workFolder_ = std::filesystem::absolute(options_.workFolder);
        std::filesystem::create_directories(workFolder_);
    }
    if (options_.scriptFolder.empty()) options_.scriptFolder = std::filesystem::current_path();
    options_.scriptFolder = std::filesystem::absolute(options_.scriptFolder);

    messages_ = std::make_shared<host::HeadlessMessageBoxes>();
    messages_->OnShow = [this](const host::MessageBoxRecord& box) {
        if (box.kind == host::MessageBoxKind::YesNo)
            Print("ASK " + OneLine(box.text) + (box.answer == host::MessageBoxAnswer::Yes ? " -> YES" : " -> NO"));
        else
            Print("MSG " + OneLine(box.text));
    };
    savedMessages_ = host::MessageBoxes::Install(messages_);
    savedShell_ = host::Shell::Install(std::make_shared<PrintingShell>(*this));
    savedModal_ = host::ModalDialogs::Install(
        std::make_shared<host::HeadlessModalDialogs>([this](host::Form& form) { RunModal(form); }));
}

Runner::~Runner() {
    ShutDownHost();
    host::MessageBoxes::Install(savedMessages_);
    host::Shell::Install(savedShell_);
    host::ModalDialogs::Install(savedModal_);
    host::DriveMap::Instance() = savedDrives_;
    host::Screen::Instance().Reset();
    if (ownsWorkFolder_) {
        std::error_code ec;
        std::filesystem::remove_all(workFolder_, ec);
    }
}

void Runner::ShutDownHost() {
    // As the host does when it exits: every frame closes and every window unloads (their
    // unload handlers run), the application ends, and the extension's state goes with the
    // library. Also after a failure, which can leave a dialog loaded.
    host::ResumeNext([] { host::HostFrame::CloseAll(); });
    for (host::Form* form : host::Form::LoadedForms()) host::ResumeNext([form] { form->Unload(); });
    if (started_) host::ResumeNext([] { host::Application::Shutdown(); });
    started_ = false;
    host::FileChannels::Instance().CloseAll();
    ResetSharedState();
}

int Runner::RunFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        err_ << file.string() << ": cannot read the script\n";
        return 2;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Run(text, file.string());
}

int Runner::Run(std::string_view text, std::string_view scriptName) {
    scriptName_ = std::string(scriptName);
    failed_ = false;
    try {
        lines_ = ParseScript(text);
    } catch (const ScriptError& e) {
        err_ << scriptName_ << ":" << e.Line() << ": " << e.what() << "\n";
        return 1;
    }
    next_ = 0;
    while (!failed_ && next_ < lines_.size()) ExecuteNext();
    ShutDownHost();
    if (failed_) {
        err_ << scriptName_ << ":" << failLine_ << ": " << failReason_ << "\n";
        return 1;
    }
    return 0;
}

void Runner::ExecuteNext() {
    const ScriptLine& line = lines_[next_++];
    currentLine_ = line.number;
    try {
        Execute(line);
    } catch (const ScriptError& e) {
        Fail(line.number, e.what());
    } catch (...) {
        const host::RuntimeError error = host::CurrentError();
        Fail(line.number, "run-time error " + std::to_string(error.Number()) + ": " + error.Description());
    }
}

void Runner::Execute(const ScriptLine& line) {
    std::vector<std::string> words;
    words.reserve(line.words.size());
    for (const std::string& word : line.words) words.push_back(Expand(word));
    const std::string command = words.front();
    const Arguments args(words.begin() + 1, words.end());
    const CommandHandler* handler = FindScriptCommand(command);
    if (handler == nullptr) throw ScriptError("unknown command \"" + command + "\"");
    (*handler)(*this, args);
}

void Runner::Fail(int line, std::string reason) {
    if (failed_) return;
    failed_ = true;
    failLine_ = line;
    failReason_ = std::move(reason);
}

void Runner::RunModal(host::Form& form) {
    // The lines that follow act on the modal form until it closes. After a failure the
    // form is left open: ShowModal then gives up, and nothing more is printed.
    ++modalDepth_;
    while (!failed_ && form.IsOpen()) {
        if (next_ >= lines_.size()) {
            Fail(lines_.empty() ? 0 : lines_.back().number,
                 "the script ended while " + FormName(form) + " is shown modally");
            break;
        }
        ExecuteNext();
    }
    --modalDepth_;
}

void Runner::Print(std::string_view line) {
    if (failed_) return;
    out_ << OneLine(line) << '\n';
    out_.flush();
}

std::string Runner::Expand(std::string_view word) const {
    std::string text(word);
    if (text.find("${") == std::string::npos) return text;
    text = Replace(std::move(text), "${WORK}", workFolder_.string());
    text = Replace(std::move(text), "${SCRIPT_DIR}", options_.scriptFolder.string());
    return text;
}

std::filesystem::path Runner::NativePath(std::string_view word) const {
    std::filesystem::path path(Expand(word));
    if (path.is_relative()) path = options_.scriptFolder / path;
    return path.lexically_normal();
}

std::vector<host::Form*> Runner::LiveForms(std::string_view name) const {
    std::vector<host::Form*> forms;
    for (host::Form* form : host::Form::LoadedForms())
        if (host::EqualIgnoringCase(form->Name(), name)) forms.push_back(form);
    return forms;
}

host::Form& Runner::FindForm(std::string_view name) const {
    std::string_view base = name;
    long number = 0;
    if (auto open = name.find('('); open != std::string_view::npos) {
        if (name.back() != ')') throw ScriptError("expected FORM or FORM(N), not \"" + std::string(name) + "\"");
        base = name.substr(0, open);
        number = ParseInteger(name.substr(open + 1, name.size() - open - 2), "the form's number");
        if (number < 1) throw ScriptError("forms of one name are counted from 1");
    }
    std::vector<host::Form*> forms = LiveForms(base);
    if (forms.empty()) throw ScriptError("no form \"" + std::string(base) + "\" is loaded");
    if (number == 0) return *forms.back();
    if (static_cast<std::size_t>(number) > forms.size())
        throw ScriptError(std::to_string(forms.size()) + " form(s) \"" + std::string(base) + "\" are loaded, not " +
                          std::to_string(number));
    return *forms[static_cast<std::size_t>(number) - 1];
}

host::Control& Runner::FindControl(std::string_view formDotControl) const {
    const auto dot = formDotControl.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == formDotControl.size())
        throw ScriptError("expected FORM.CONTROL, not \"" + std::string(formDotControl) + "\"");
    host::Form& form = FindForm(formDotControl.substr(0, dot));
    const std::string_view name = formDotControl.substr(dot + 1);
    for (host::Control* control : form.Controls())
        if (host::EqualIgnoringCase(control->Name(), name)) return *control;
    throw ScriptError(FormName(form) + " has no control \"" + std::string(name) + "\"");
}

std::string Runner::FormName(const host::Form& form) const {
    std::vector<host::Form*> forms = LiveForms(form.Name());
    if (forms.size() < 2) return form.Name();
    auto it = std::find(forms.begin(), forms.end(), &form);
    if (it == forms.end()) return form.Name();
    return form.Name() + "(" + std::to_string(it - forms.begin() + 1) + ")";
}

void Runner::QueueAnswer(bool yes) {
    messages_->QueueAnswer(yes ? host::MessageBoxAnswer::Yes : host::MessageBoxAnswer::No);
}

int RunScriptText(std::string_view text, std::string& out, RunOptions options) {
    std::ostringstream lines;
    std::ostringstream errors;
    int code = 0;
    {
        Runner runner(lines, errors, std::move(options));
        code = runner.Run(text);
    }
    out = lines.str();
    if (!errors.str().empty()) out += "ERROR " + errors.str();
    return code;
}

}  // namespace script
