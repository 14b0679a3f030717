#pragma once
// The command's button picture: 16 by 16 pixels, 24 bits a pixel, drawn here in code. It
// shows a dark-red parcel inside a magenta buffer ring among neighbouring blue parcels, on
// the light grey that toolbars treat as transparent.

#include <array>
#include <cstdint>

inline constexpr int kCommandBitmapSize = 16;

// The pixels row by row from the top, each 0xRRGGBB.
const std::array<std::uint32_t, kCommandBitmapSize * kCommandBitmapSize>& CommandBitmapPixels();
