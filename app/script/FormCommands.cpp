// Runner commands that act on forms and controls as a user would, and `print` of a form or
// a control.
#include <string>

#include "app/script/ControlState.h"
#include "app/script/ScriptCommands.h"
#include "app/script/ScriptRunner.h"
#include "host/forms/CheckBox.h"
#include "host/forms/CommandButton.h"
#include "host/forms/DirListBox.h"
#include "host/forms/DriveListBox.h"
#include "host/forms/FileListBox.h"
#include "host/forms/Form.h"
#include "host/forms/Image.h"
#include "host/forms/ListControl.h"
#include "host/forms/OptionButton.h"
#include "host/forms/TextBox.h"

namespace script {

namespace {

// The control, as the kind a command needs.
template <class Kind> Kind& Expect(Runner& runner, const std::string& name, const char* what) {
    host::Control& control = runner.FindControl(name);
    auto* wanted = dynamic_cast<Kind*>(&control);
    if (wanted == nullptr) throw ScriptError(name + " is a " + std::string(control.Kind()) + ", not " + what);
    return *wanted;
}

// choose FORM.CONTROL TEXT: the user chooses the entry of that text.
const ScriptCommand kChoose("choose", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 2, "choose FORM.CONTROL TEXT");
    auto& list = Expect<host::ListControl>(runner, args[0], "a list");
    const long index = list.IndexOf(args[1]);
    if (index < 0) throw ScriptError(args[0] + " has no entry \"" + args[1] + "\"");
    list.ChooseItem(index);
});

// deselect FORM.CONTROL: no entry chosen.
const ScriptCommand kDeselect("deselect", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 1, "deselect FORM.CONTROL");
    Expect<host::ListControl>(runner, args[0], "a list").SetListIndex(-1);
});

// type FORM.CONTROL TEXT: the box takes the focus and the text is typed key by key.
const ScriptCommand kType("type", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 2, "type FORM.CONTROL TEXT");
    auto& box = Expect<host::TextBox>(runner, args[0], "a text box");
    if (box.Parent().ActiveControl() != &box) box.SetFocus();
    box.Type(args[1]);
});

// settext FORM.CONTROL TEXT: the whole text replaced, as a paste does.
const ScriptCommand kSetText("settext", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 2, "settext FORM.CONTROL TEXT");
    Expect<host::TextBox>(runner, args[0], "a text box").SetText(args[1]);
});

// leave FORM.CONTROL: the control loses the focus.
const ScriptCommand kLeave("leave", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 1, "leave FORM.CONTROL");
    runner.FindControl(args[0]).LoseFocus();
});

// check FORM.CONTROL 0|1: the user clicks the box when its value differs.
const ScriptCommand kCheck("check", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 2, "check FORM.CONTROL 0|1");
    auto& box = Expect<host::CheckBox>(runner, args[0], "a check box");
    if (args[1] != "0" && args[1] != "1") throw ScriptError("usage: check FORM.CONTROL 0|1");
    if (box.Value() != (args[1] == "1" ? 1 : 0)) box.Press();
});

// option FORM.CONTROL: the user selects the option button.
const ScriptCommand kOption("option", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 1, "option FORM.CONTROL");
    Expect<host::OptionButton>(runner, args[0], "an option button").Press();
});

// press FORM.CONTROL: a click on a button, label or image.
const ScriptCommand kPress("press", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 1, "press FORM.CONTROL");
    runner.FindControl(args[0]).Press();
});

// folder FORM.CONTROL PATH: a folder or file list opens a folder (a drive path).
const ScriptCommand kFolder("folder", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 2, "folder FORM.CONTROL PATH");
    host::Control& control = runner.FindControl(args[0]);
    if (auto* folders = dynamic_cast<host::DirListBox*>(&control))
        folders->SetPath(args[1]);
    else if (auto* files = dynamic_cast<host::FileListBox*>(&control))
        files->SetPath(args[1]);
    else
        throw ScriptError(args[0] + " is a " + std::string(control.Kind()) + ", not a folder or file list");
});

// drivelist FORM.CONTROL X: a drive list chooses a drive.
const ScriptCommand kDriveList("drivelist", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 2, "drivelist FORM.CONTROL X:");
    Expect<host::DriveListBox>(runner, args[0], "a drive list").SetDrive(args[1]);
});

// print FORM.CONTROL | print FORM | print TOPIC
const ScriptCommand kPrint("print", [](Runner& runner, const Arguments& args) {
    if (args.empty()) throw ScriptError("usage: print FORM.CONTROL | print FORM | print TOPIC");
    if (const CommandHandler* topic = FindPrintTopic(args[0])) {
        (*topic)(runner, Arguments(args.begin() + 1, args.end()));
        return;
    }
    ExpectArguments(args, 1, "print FORM.CONTROL | print FORM");
    if (args[0].find('.') != std::string::npos) {
        host::Control& control = runner.FindControl(args[0]);
        runner.Print(DescribeControl(runner.FormName(control.Parent()) + "." + control.Name(), control));
    } else {
        host::Form& form = runner.FindForm(args[0]);
        runner.Print(DescribeForm(runner.FormName(form), form));
    }
});

// print picture FORM.CONTROL: the picture file a button or image shows and whether the
// program finds it among its pictures (`PICTURE frmMain.Command13 file="frmMain_Command13.png"
// found=1`).
const ScriptPrintTopic kPrintPicture("picture", [](Runner& runner, const Arguments& args) {
    ExpectArguments(args, 1, "print picture FORM.CONTROL");
    host::Control& control = runner.FindControl(args[0]);
    const host::Picture* picture = nullptr;
    if (const auto* button = dynamic_cast<const host::CommandButton*>(&control)) picture = &button->Picture();
    if (const auto* image = dynamic_cast<const host::Image*>(&control)) picture = &image->Picture();
    if (picture == nullptr)
        throw ScriptError(args[0] + " is a " + std::string(control.Kind()) + ", which shows no picture");
    runner.Print("PICTURE " + runner.FormName(control.Parent()) + "." + control.Name() +
                 " file=" + Quoted(picture->File()) + " found=" + (picture->Locate().empty() ? "0" : "1"));
});

}  // namespace

}  // namespace script
