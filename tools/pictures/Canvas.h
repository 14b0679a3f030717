#pragma once
// A picture being drawn: pixels 0xAARRGGBB row by row from the top (alpha 255 is opaque, 0
// transparent), with the few drawing operations the product's pictures need. Drawing
// outside the canvas is clipped.

#include <cstdint>
#include <string_view>
#include <vector>

namespace pictures {

using Argb = std::uint32_t;

constexpr Argb Rgb(int red, int green, int blue) {
    return 0xFF000000u | (static_cast<Argb>(red & 0xFF) << 16) | (static_cast<Argb>(green & 0xFF) << 8) |
           static_cast<Argb>(blue & 0xFF);
}
inline constexpr Argb kTransparent = 0x00000000u;
inline constexpr Argb kWhite = Rgb(255, 255, 255);
inline constexpr Argb kBlack = Rgb(0, 0, 0);

// The colour part way from a to b (t from 0 to 1), alpha included.
Argb Mix(Argb a, Argb b, double t);

class Canvas {
public:
    Canvas(int width, int height, Argb fill = kTransparent);

    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<Argb>& Pixels() const { return pixels_; }
    // The pixel at x, y; transparent outside the canvas.
    Argb At(int x, int y) const;
    // Sets one pixel (nothing outside the canvas).
    void Set(int x, int y, Argb colour);
    // Paints colour over the pixel by its alpha.
    void Blend(int x, int y, Argb colour);

    void FillRect(int x, int y, int width, int height, Argb colour);
    // The one-pixel outline of the rectangle.
    void FrameRect(int x, int y, int width, int height, Argb colour);
    // Top to bottom from one colour to the other.
    void VerticalGradient(int x, int y, int width, int height, Argb top, Argb bottom);
    // A raised (or, with sunken, a sunken) three-dimensional edge around the rectangle.
    void Bevel(int x, int y, int width, int height, bool sunken);
    void Line(int x0, int y0, int x1, int y1, Argb colour);
    // A disc, and a ring of the given thickness, with soft edges.
    void FillCircle(double cx, double cy, double radius, Argb colour);
    void Ring(double cx, double cy, double radius, double thickness, Argb colour);
    // Paints another canvas over this one with its top-left corner at x, y.
    void Draw(const Canvas& other, int x, int y);

private:
    int width_;
    int height_;
    std::vector<Argb> pixels_;
};

}  // namespace pictures
