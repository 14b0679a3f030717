#include "app/script/ControlState.h"

#include "app/script/ScriptLanguage.h"
#include "host/forms/CaptionedControl.h"
#include "host/forms/CheckBox.h"
#include "host/forms/DirListBox.h"
#include "host/forms/DriveListBox.h"
#include "host/forms/FileListBox.h"
#include "host/forms/Form.h"
#include "host/forms/HostFrame.h"
#include "host/forms/ListControl.h"
#include "host/forms/OptionButton.h"
#include "host/forms/TextBox.h"

namespace script {

namespace {

std::string Items(const host::ListControl& list) {
    std::string out = "[";
    bool first = true;
    for (const std::string& item : list.Items()) {
        if (!first) out += ", ";
        first = false;
        out += Quoted(item);
    }
    return out + "]";
}

}  // namespace

std::string DescribeControl(std::string_view name, const host::Control& control) {
    std::string out(name);
    out += ' ';
    out += control.Kind();
    if (const auto* box = dynamic_cast<const host::TextBox*>(&control)) {
        out += " text=" + Quoted(box->Text());
    }
    if (const auto* list = dynamic_cast<const host::ListControl*>(&control)) {
        out += " text=" + Quoted(list->Text());
        out += " index=" + std::to_string(list->ListIndex());
        out += " items=" + Items(*list);
    }
    if (const auto* check = dynamic_cast<const host::CheckBox*>(&control)) {
        out += " value=" + std::to_string(check->Value());
    }
    if (const auto* option = dynamic_cast<const host::OptionButton*>(&control)) {
        out += std::string(" value=") + (option->Value() ? "1" : "0");
    }
    if (const auto* files = dynamic_cast<const host::FileListBox*>(&control)) {
        out += " path=" + Quoted(files->Path());
    }
    if (const auto* folders = dynamic_cast<const host::DirListBox*>(&control)) {
        out += " path=" + Quoted(folders->Path());
    }
    if (const auto* drives = dynamic_cast<const host::DriveListBox*>(&control)) {
        out += " drive=" + Quoted(drives->Drive());
    }
    out += std::string(" visible=") + (control.Visible() ? "1" : "0");
    if (const auto* captioned = dynamic_cast<const host::CaptionedControl*>(&control)) {
        out += " caption=" + Quoted(captioned->Caption());
    }
    return out;
}

std::string DescribeForm(std::string_view name, const host::Form& form) {
    std::string out(name);
    out += " Form caption=" + Quoted(form.Caption());
    out += std::string(" loaded=") + (form.IsLoaded() ? "1" : "0");
    out += std::string(" visible=") + (form.Visible() ? "1" : "0");
    if (form.IsModal()) out += " modal=1";
    if (const host::HostFrame* frame = form.HostingFrame()) {
        out += " frame.caption=" + Quoted(frame->Caption());
        out += std::string(" frame.visible=") + (frame->Visible() ? "1" : "0");
    }
    return out;
}

}  // namespace script
