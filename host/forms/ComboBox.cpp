#include "host/forms/ComboBox.h"

#include "host/core/Text.h"

namespace host {

void ComboBox::SetText(std::string_view text) {
    for (long i = 0; i < ListCount(); ++i) {
        if (CompareIgnoringCase(List(i), text) == 0) {
            SetListIndex(i);
            return;
        }
    }
    RaiseFormError(formerr::TextPropertyReadOnly);
}

void ComboBox::SetDroppedWidth(long pixels) {
    if (pixels < 0) RaiseFormError(formerr::InvalidPropertyValue);
    Update(*droppedWidth_, pixels);
}

}  // namespace host
