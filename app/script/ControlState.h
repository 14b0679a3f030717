#pragma once
// The one-line state of a form or a control, as `print` shows it:
//   frmMain.cboBufferLayer ComboBox text="Parcels" index=1 items=["NONE", "Parcels"] visible=1
//   frmMain Form caption="Corvane" loaded=1 visible=1 frame.caption="Corvane" frame.visible=1
// Each kind shows the fields that apply to it, in the order text, index, items, value,
// path, visible, caption.

#include <string>
#include <string_view>

namespace host {
class Control;
class Form;
}  // namespace host

namespace script {

// name is how the script names the control ("frmMain.List1").
std::string DescribeControl(std::string_view name, const host::Control& control);
// name is how the script names the form ("frmMain", "frmHelp(2)").
std::string DescribeForm(std::string_view name, const host::Form& form);

}  // namespace script
