#include "host/forms/Control.h"

#include <algorithm>

#include "host/core/RuntimeError.h"
#include "host/forms/Form.h"
#include "host/forms/Frame.h"

namespace host {

void RaiseFormError(long number) {
    switch (number) {
    case formerr::DeviceUnavailable: Raise(number, "Device unavailable");
    case formerr::InvalidPropertyValue: Raise(number, "Invalid property value");
    case formerr::InvalidPropertyArrayIndex: Raise(number, "Invalid property array index");
    case formerr::TextPropertyReadOnly: Raise(number, "'Text' property is read-only");
    case formerr::FormAlreadyDisplayed: Raise(number, "Form already displayed; can't show modally");
    default: Raise(number);
    }
}

Control::Control(Form& form, std::string name, Frame* container)
    : form_(form), name_(std::move(name)), container_(container) {
    c_->tabIndex = static_cast<int>(form_.controls_.size());
    form_.controls_.push_back(this);
}

Control::~Control() { form_.Forget(this); }

void Control::SetContainer(Frame* frame) {
    if (container_ == frame) return;
    container_ = frame;
    NotifyChanged();
}

void Control::Move(long left, long top, long width, long height) {
    if (width < 0 || height < 0) RaiseFormError(formerr::InvalidPropertyValue);
    Common& c = *c_;
    bool changed = c.left != left || c.top != top || c.width != width || c.height != height;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    if (changed) NotifyChanged();
}

void Control::SetVisible(bool visible) { Update(c_->visible, visible); }
void Control::SetEnabled(bool enabled) { Update(c_->enabled, enabled); }
void Control::SetBackColor(OleColor color) { Update(c_->backColor, color); }
void Control::SetForeColor(OleColor color) { Update(c_->foreColor, color); }
void Control::SetToolTipText(std::string text) { Update(c_->toolTip, std::move(text)); }
void Control::SetFont(host::Font font) { Update(c_->font, std::move(font)); }
void Control::SetMouseIcon(Picture icon) { Update(c_->mouseIcon, std::move(icon)); }
void Control::SetTabIndex(int index) { Update(c_->tabIndex, index); }

void Control::SetMousePointer(int shape) {
    if (!((shape >= 0 && shape <= 15) || shape == 99)) RaiseFormError(formerr::InvalidPropertyValue);
    Update(c_->mousePointer, shape);
}

bool Control::IsReachable() const {
    if (!form_.IsLoaded() || !form_.Visible()) return false;
    for (const Control* c = this; c != nullptr; c = c->container_) {
        if (!c->c_->visible || !c->c_->enabled) return false;
    }
    return true;
}

void Control::RequireReachable() const {
    if (!IsReachable()) {
        host::Raise(err::InvalidProcedureCall,
                    "The control " + form_.Name() + "." + name_ + " cannot be reached by the user now");
    }
}

void Control::SetFocus() {
    RequireReachable();
    form_.SetActive(this);
}

void Control::LoseFocus() {
    if (form_.active_ == this) form_.active_ = nullptr;
    RaiseEvent(LostFocus);
}

void Control::Press() {
    RequireReachable();
    RaiseEvent(Click);
}

void Control::SaveDesign() {
    for (DesignPart* part : designParts_) part->Save();
}

void Control::RestoreDesign() {
    for (DesignPart* part : designParts_) part->Restore();
}

bool Control::RaisesEvents() const { return form_.IsLoaded(); }

void Control::RaiseEvent(const std::function<void()>& event) const {
    if (!RaisesEvents() || !event) return;
    std::function<void()> handler = event;  // the handler may rewire the slot
    handler();
}

}  // namespace host
