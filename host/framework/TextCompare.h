#pragma once
// Comparing identifiers and names the way the host does: letters compare equal whatever
// their case (ASCII letters; other bytes count as they are).

#include <string_view>

namespace host {

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace host
