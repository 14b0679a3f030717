#pragma once
// The font of a control's text. The platform's dialog font is the default.

#include <string>

namespace host {

struct Font {
    std::string name = "MS Sans Serif";
    double size = 8.25;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const Font&) const = default;
};

}  // namespace host
