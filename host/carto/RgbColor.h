#pragma once
// A colour by its red, green and blue parts (0 to 255 each). Its long form packs them into
// one integer with red in the lowest byte, then green, then blue: 255 is pure red,
// 0xFF0000 pure blue, 0 black.

#include <cstdint>

namespace host {

class RgbColor {
public:
    RgbColor() = default;
    RgbColor(int red, int green, int blue);

    int Red() const { return red_; }
    int Green() const { return green_; }
    int Blue() const { return blue_; }
    // Error 5 for a part outside 0 to 255.
    void SetRed(int value);
    void SetGreen(int value);
    void SetBlue(int value);

    std::int32_t RGB() const { return red_ | (green_ << 8) | (blue_ << 16); }
    // Error 5 for a value outside 0 to 0xFFFFFF.
    void SetRGB(std::int32_t value);

    bool operator==(const RgbColor&) const = default;

private:
    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;
};

}  // namespace host
