#include "app/script/ScriptRunner.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/script/ScriptCommands.h"
#include "host/forms/CommandButton.h"
#include "host/forms/DirListBox.h"
#include "host/forms/Form.h"
#include "host/forms/Label.h"
#include "host/forms/ListBox.h"
#include "host/forms/TextBox.h"
#include "host/platform/MessageBoxes.h"
#include "host/platform/Shell.h"
#include "tests/support/HeadlessTest.h"

namespace {

// A dialog of the kinds of control the printer and the input commands handle. OK hides it;
// More shows a second one modally; Ask asks a question and shows the answer in the label.
class frmTestDialog : public host::Form {
public:
    frmTestDialog() : host::Form("frmTestDialog") {
        btnOK.Click = [this] { Hide(); };
        btnMore.Click = [] { std::make_shared<frmTestDialog>()->ShowModal(); };
        btnAsk.Click = [this] {
            lblAnswer.SetCaption(host::AskYesNo("Sure?\r\nReally?") == host::MessageBoxAnswer::Yes ? "yes" : "no");
        };
        txtName.KeyPress = [](int& key) {
            if (key == '!') key = 0;
        };
    }
    host::TextBox txtName{*this, "txtName"};
    host::Label lblAnswer{*this, "lblAnswer"};
    host::ListBox List1{*this, "List1"};
    host::CommandButton btnOK{*this, "btnOK"};
    host::CommandButton btnMore{*this, "btnMore"};
    host::CommandButton btnAsk{*this, "btnAsk"};
    host::DirListBox Dir1{*this, "Dir1"};
};

// Test commands: show the dialog modally and print what it left; show a message of the
// words; print the mapped drives.
const script::ScriptCommand kTestDialog("test-dialog", [](script::Runner& runner, const script::Arguments&) {
    auto dialog = std::make_shared<frmTestDialog>();
    dialog->ShowModal();
    runner.Print("AFTER " + dialog->txtName.Text());
});
const script::ScriptCommand kTestMessage("test-message", [](script::Runner&, const script::Arguments& args) {
    host::ShowMessage(args.empty() ? "" : args[0]);
});
const script::ScriptCommand kTestDrives("test-drives", [](script::Runner& runner, const script::Arguments&) {
    runner.Print("DRIVES " + host::DriveMap::Instance().Letters());
});

class ScriptRunnerTest : public support::HeadlessTest {
protected:
    // Runs the script with ${WORK} in the test's folder; the output, then "ERROR ..." when
    // the script failed.
    std::string Run(const std::string& text, int expectedCode = 0) {
        std::string out;
        script::RunOptions options;
        options.workFolder = TempRoot() / "work";
        options.scriptFolder = TempRoot();
        const int code = script::RunScriptText(text, out, options);
        EXPECT_EQ(code, expectedCode) << out;
        return out;
    }
};

TEST_F(ScriptRunnerTest, FailingLinesAreNamedAndStopTheScriptWithNothingPrintedAfter) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\n# comment\nclick Tovalin_Corvane", "3: the host has not started (start comes first)"},
        {"drive C: ${WORK}/c\nstart\ndrive D: ${WORK}/d", "3: drives are mapped before start"},
        {"test-dialog\ntype frmTestDialog.List1 x", "2: frmTestDialog.List1 is a ListBox, not a text box"},
        {"test-dialog\nprint frmTestDialog(2)", "2: 1 form(s) \"frmTestDialog\" are loaded, not 2"},
        {"test-dialog\ntype frmTestDialog.txtName abc", "2: the script ended while frmTestDialog is shown modally"},
        {"test-dialog\nfolder frmTestDialog.Dir1 C:\\nowhere", "2: run-time error 76: Path not found"},
        // A syntax error anywhere: nothing runs.
        {"test-message one\ntest-message \"two", "2: a double quote is not closed"},
        // A failure inside a modal dialog: the handler that opened it goes on, silently.
        {"test-dialog\npress frmTestDialog.Nope\ntest-message after", "2: frmTestDialog has no control \"Nope\""},
    };
    // Nothing is printed after the failing line.
    for (const auto& [script, error] : cases) EXPECT_EQ(Run(script, 1), "ERROR script:" + error + "\n") << script;
}

TEST_F(ScriptRunnerTest, ModalFormsTakeTheFollowingLinesUntilTheyClose) {
    const std::string out =
        Run("test-dialog\n"
            "type frmTestDialog.txtName \"a!b c\"\n"  // the handler cancels "!"
            "press frmTestDialog.btnMore\n"           // a second dialog over the first
            "type frmTestDialog.txtName inner\n"      // the last loaded of the name
            "print frmTestDialog(1).txtName\n"
            "press frmTestDialog(2).btnOK\n"
            "press frmTestDialog.btnAsk\n"  // no answer queued: No
            "answer yes\n"
            "press frmTestDialog.btnAsk\n"
            "print frmTestDialog.lblAnswer\n"
            "press frmTestDialog.btnOK\n");
    EXPECT_EQ(out,
              "frmTestDialog(1).txtName TextBox text=\"ab c\" visible=1\n"
              "ASK Sure?\\nReally? -> NO\n"
              "ASK Sure?\\nReally? -> YES\n"
              "frmTestDialog.lblAnswer Label visible=1 caption=\"yes\"\n"
              "AFTER ab c\n");
}

TEST_F(ScriptRunnerTest, TheRunnerPutsBackWhatItChanged) {
    host::MessageBoxes* messages = &host::MessageBoxes::Current();
    host::Shell* shell = &host::Shell::Current();
    const std::string drives = host::DriveMap::Instance().Letters();
    Run("drive Q: ${WORK}/q\ntest-drives\n");
    EXPECT_TRUE(&host::MessageBoxes::Current() == messages && &host::Shell::Current() == shell);
    EXPECT_EQ(host::DriveMap::Instance().Letters(), drives);
    // Without ${WORK} given, the runner makes a temporary folder and removes it.
    std::string out;
    EXPECT_EQ(script::RunScriptText("drive C: ${WORK}/c\ntest-drives", out), 0);
    EXPECT_EQ(out, "DRIVES C\n");
}

}  // namespace
