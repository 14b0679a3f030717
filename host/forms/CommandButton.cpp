#include "host/forms/CommandButton.h"

#include "host/forms/Form.h"

namespace host {

namespace {

// Takes the role (default or cancel) from every other button of the form.
template <class Member> void TakeRoleFromOthers(const CommandButton& self, Member role) {
    for (Control* c : self.Parent().Controls()) {
        auto* other = dynamic_cast<CommandButton*>(c);
        if (other != nullptr && other != &self) (other->*role)(false);
    }
}

}  // namespace

void CommandButton::SetDefault(bool isDefault) {
    if (isDefault) TakeRoleFromOthers(*this, &CommandButton::SetDefault);
    Update(state_->isDefault, isDefault);
}

void CommandButton::SetCancel(bool isCancel) {
    if (isCancel) TakeRoleFromOthers(*this, &CommandButton::SetCancel);
    Update(state_->isCancel, isCancel);
}

}  // namespace host
