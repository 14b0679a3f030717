#pragma once
// Colours of forms and controls as the platform stores them: red in the lowest byte, then
// green, then blue. SystemDefault means "the platform's own colour for this part" (the
// window background, the button face, the window text).

#include <cstdint>

namespace host {

using OleColor = std::uint32_t;

inline constexpr OleColor SystemDefault = 0x80000000u;

constexpr OleColor Rgb(int red, int green, int blue) {
    return static_cast<OleColor>(red & 0xFF) | (static_cast<OleColor>(green & 0xFF) << 8) |
           (static_cast<OleColor>(blue & 0xFF) << 16);
}

}  // namespace host
