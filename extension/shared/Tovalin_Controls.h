#pragma once
// List utilities: searches of combo-box items and text arrays, and the removal of one combo
// item. All scan from index 0 upward, compare ignoring case and take the first equal item.
// None reports a failure: they answer "not found" (or change nothing) instead.

#include <string>
#include <vector>

namespace host {
class ComboBox;
}

// True when the combo holds an item equal to text.
bool ComboContains(const std::string& text, const host::ComboBox& combo);
// The index of the first item equal to text, -1 for none.
long ComboIndexOf(const std::string& text, const host::ComboBox& combo);
// The index of the first element equal to text, -1 for none (also for an empty array).
long ArrayIndexOf(const std::vector<std::string>& items, const std::string& text);
// Removes the first item equal to text; later equal items stay. No such item: nothing
// changes.
void RemoveComboItem(host::ComboBox& combo, const std::string& text);
