#include "extension/shared/Tovalin_Controls.h"

#include "host/core/ErrorTrap.h"
#include "host/data/Fields.h"
#include "host/forms/ComboBox.h"

bool ComboContains(const std::string& text, const host::ComboBox& combo) {
    bool found = false;
    host::ResumeNext([&] { found = ComboIndexOf(text, combo) >= 0; });
    return found;
}

long ComboIndexOf(const std::string& text, const host::ComboBox& combo) {
    long index = -1;
    host::ResumeNext([&] {
        const long count = combo.ListCount();
        for (long i = 0; i < count; ++i) {
            if (host::EqualIgnoringCase(combo.List(i), text)) {
                index = i;
                return;
            }
        }
    });
    return index;
}

long ArrayIndexOf(const std::vector<std::string>& items, const std::string& text) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (host::EqualIgnoringCase(items[i], text)) return static_cast<long>(i);
    }
    return -1;
}

void RemoveComboItem(host::ComboBox& combo, const std::string& text) {
    host::ResumeNext([&] {
        const long index = ComboIndexOf(text, combo);
        if (index >= 0) combo.RemoveItem(index);
    });
}
