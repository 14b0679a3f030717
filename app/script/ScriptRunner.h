#pragma once
// The headless host-script runner: starts the host without a display and runs a script
// line by line. Message boxes, questions, shell requests and `print` results go to the
// output, one line each. While a form is shown modally, the following lines act on it until
// it closes.
//
// Commands live in files of their own subject (see ScriptCommands.h); this class gives them
// the output, the forms and controls by name, paths and the state of the run.

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/script/ScriptLanguage.h"
#include "host/platform/DriveMap.h"

namespace host {
class Control;
class Form;
class HeadlessMessageBoxes;
class MessageBoxes;
class ModalDialogs;
class Shell;
}  // namespace host

namespace script {

struct RunOptions {
    // The folder relative paths of the script start from, and ${SCRIPT_DIR}.
    std::filesystem::path scriptFolder = std::filesystem::current_path();
    // ${WORK}: a folder for the files a script makes. Empty: a new temporary folder,
    // removed when the runner ends.
    std::filesystem::path workFolder;
};

class Runner {
public:
    // Output lines go to out, the line that names a failing script line to err.
    Runner(std::ostream& out, std::ostream& err, RunOptions options = {});
    ~Runner();
    Runner(const Runner&) = delete;
    Runner& operator=(const Runner&) = delete;

    // Runs a whole script. Returns 0 when it ran to its end; 1 after a failing line, with
    // one line "NAME:LINE: reason" on err. Output stops at the failing line.
    int Run(std::string_view text, std::string_view scriptName = "script");
    // Reads and runs a file; 2 when it cannot be read.
    int RunFile(const std::filesystem::path& file);

    // ---- For commands ----
    // One output line; line breaks inside print as \n.
    void Print(std::string_view line);

    // A path of the script as a path of this machine: ${WORK} and ${SCRIPT_DIR} replaced,
    // relative paths taken from the script's folder.
    std::filesystem::path NativePath(std::string_view word) const;
    const std::filesystem::path& WorkFolder() const { return workFolder_; }
    const std::filesystem::path& ScriptFolder() const { return options_.scriptFolder; }

    // The live form of that name (ignoring case). When several live forms share the name
    // (help windows), the last loaded; "NAME(N)" picks the N-th in load order, from 1.
    host::Form& FindForm(std::string_view name) const;
    // "FORM.CONTROL": the control of that name on that form (ignoring case).
    host::Control& FindControl(std::string_view formDotControl) const;
    // The form's name as a script names it ("frmHelp(2)" when several share its name).
    std::string FormName(const host::Form& form) const;

    // `drive` maps the first drive of a script on a clean map.
    bool DrivesMapped() const { return drivesMapped_; }
    void MarkDrivesMapped() { drivesMapped_ = true; }
    // After `start`; the host shuts down (every frame closed, the extension's state
    // released) when the script ends.
    bool Started() const { return started_; }
    void MarkStarted() { started_ = true; }

    // Queues the answer to the next question box.
    void QueueAnswer(bool yes);

    // The line being run and the depth of modal forms open.
    int CurrentLine() const { return currentLine_; }
    std::size_t ModalDepth() const { return modalDepth_; }

private:
    void RunLines();
    void ExecuteNext();
    void Execute(const ScriptLine& line);
    void Fail(int line, std::string reason);
    void RunModal(host::Form& form);
    void ShutDownHost();
    std::string Expand(std::string_view word) const;
    std::vector<host::Form*> LiveForms(std::string_view name) const;

    std::ostream& out_;
    std::ostream& err_;
    RunOptions options_;
    std::filesystem::path workFolder_;
    bool ownsWorkFolder_ = false;

    std::string scriptName_;
    std::vector<ScriptLine> lines_;
    std::size_t next_ = 0;
    int currentLine_ = 0;
    bool failed_ = false;
    int failLine_ = 0;
    std::string failReason_;
    std::size_t modalDepth_ = 0;
    bool drivesMapped_ = false;
    bool started_ = false;

    std::shared_ptr<host::HeadlessMessageBoxes> messages_;
    std::shared_ptr<host::MessageBoxes> savedMessages_;
    std::shared_ptr<host::Shell> savedShell_;
    std::shared_ptr<host::ModalDialogs> savedModal_;
    host::DriveMap savedDrives_;
};

// Runs a script text with a fresh runner; for tests. out receives the output lines and,
// after a failure, the error line as "ERROR NAME:LINE: reason".
int RunScriptText(std::string_view text, std::string& out, RunOptions options = {});

}  // namespace script
