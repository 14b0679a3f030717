#include "host/forms/CheckBox.h"

namespace host {

void CheckBox::SetValue(int value) {
    if (value != 0 && value != 1) RaiseFormError(formerr::InvalidPropertyValue);
    if (Update(*value_, value)) RaiseEvent(Click);
}

void CheckBox::Press() {
    RequireReachable();
    SetValue(1 - *value_);
}

}  // namespace host
