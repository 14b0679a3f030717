#include "tools/pictures/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace pictures {

namespace {

int Channel(Argb colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

Argb WithAlpha(Argb colour, double alpha) {
    const auto a = static_cast<Argb>(std::lround(std::clamp(alpha, 0.0, 1.0) * Channel(colour, 24)));
    return (colour & 0x00FFFFFFu) | (a << 24);
}

// How much of the pixel centred at distance d lies inside an edge at r (one pixel soft).
double Coverage(double d, double r) { return std::clamp(r - d + 0.5, 0.0, 1.0); }

}  // namespace

Argb Mix(Argb a, Argb b, double t) {
    Argb out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const double v = Channel(a, shift) + (Channel(b, shift) - Channel(a, shift)) * t;
        out |= static_cast<Argb>(std::clamp(static_cast<int>(std::lround(v)), 0, 255)) << shift;
    }
    return out;
}

Canvas::Canvas(int width, int height, Argb fill) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("a canvas needs a positive size");
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

Argb Canvas::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kTransparent;
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void Canvas::Set(int x, int y, Argb colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = colour;
}

void Canvas::Blend(int x, int y, Argb colour) {
    const double alpha = Channel(colour, 24) / 255.0;
    if (alpha <= 0.0) return;
    const Argb under = At(x, y);
    const double underAlpha = Channel(under, 24) / 255.0;
    const double outAlpha = alpha + underAlpha * (1.0 - alpha);
    Argb out = static_cast<Argb>(std::lround(outAlpha * 255.0)) << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        const double v =
            (Channel(colour, shift) * alpha + Channel(under, shift) * underAlpha * (1.0 - alpha)) / outAlpha;
        out |= static_cast<Argb>(std::clamp(static_cast<int>(std::lround(v)), 0, 255)) << shift;
    }
    Set(x, y, out);
}

void Canvas::FillRect(int x, int y, int width, int height, Argb colour) {
    for (int row = y; row < y + height; ++row)
        for (int col = x; col < x + width; ++col) Set(col, row, colour);
}

void Canvas::FrameRect(int x, int y, int width, int height, Argb colour) {
    if (width <= 0 || height <= 0) return;
    FillRect(x, y, width, 1, colour);
    FillRect(x, y + height - 1, width, 1, colour);
    FillRect(x, y, 1, height, colour);
    FillRect(x + width - 1, y, 1, height, colour);
}

void Canvas::VerticalGradient(int x, int y, int width, int height, Argb top, Argb bottom) {
    for (int row = 0; row < height; ++row)
        FillRect(x, y + row, width, 1, Mix(top, bottom, height > 1 ? row / (height - 1.0) : 0.0));
}

void Canvas::Bevel(int x, int y, int width, int height, bool sunken) {
    const Argb light = kWhite;
    const Argb shade = Rgb(128, 128, 128);
    const Argb dark = Rgb(64, 64, 64);
    const Argb topLeft = sunken ? shade : light;
    const Argb bottomRight = sunken ? light : dark;
    FillRect(x, y, width, 1, topLeft);
    FillRect(x, y, 1, height, topLeft);
    FillRect(x, y + height - 1, width, 1, bottomRight);
    FillRect(x + width - 1, y, 1, height, bottomRight);
    if (width > 2 && height > 2) {
        const Argb inner = sunken ? dark : shade;
        if (sunken) {
            FillRect(x + 1, y + 1, width - 2, 1, inner);
            FillRect(x + 1, y + 1, 1, height - 2, inner);
        } else {
            FillRect(x + 1, y + height - 2, width - 2, 1, inner);
            FillRect(x + width - 2, y + 1, 1, height - 2, inner);
        }
    }
}

void Canvas::Line(int x0, int y0, int x1, int y1, Argb colour) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        Set(x0, y0, colour);
        if (x0 == x1 && y0 == y1) return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void Canvas::FillCircle(double cx, double cy, double radius, Argb colour) {
    Ring(cx, cy, radius, radius + 1.0, colour);
}

void Canvas::Ring(double cx, double cy, double radius, double thickness, Argb colour) {
    const int left = static_cast<int>(std::floor(cx - radius - 1));
    const int right = static_cast<int>(std::ceil(cx + radius + 1));
    const int top = static_cast<int>(std::floor(cy - radius - 1));
    const int bottom = static_cast<int>(std::ceil(cy + radius + 1));
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            const double inside = Coverage(d, radius) - Coverage(d, radius - thickness);
            if (inside > 0.0) Blend(x, y, WithAlpha(colour, inside));
        }
    }
}

void Canvas::Draw(const Canvas& other, int x, int y) {
    for (int row = 0; row < other.Height(); ++row)
        for (int col = 0; col < other.Width(); ++col) Blend(x + col, y + row, other.At(col, row));
}

}  // namespace pictures
