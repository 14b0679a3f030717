#include "host/forms/OptionButton.h"

#include "host/forms/Form.h"

namespace host {

void OptionButton::SetValue(bool value) {
    if (!value || *value_) {
        Update(*value_, value);
        return;
    }
    for (Control* c : Parent().Controls()) {
        auto* other = dynamic_cast<OptionButton*>(c);
        if (other != nullptr && other != this && other->Container() == Container()) {
            other->Update(*other->value_, false);
        }
    }
    Update(*value_, true);
    RaiseEvent(Click);
}

void OptionButton::Press() {
    RequireReachable();
    SetValue(true);
}

}  // namespace host
