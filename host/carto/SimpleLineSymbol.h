#pragma once
// A line symbol: style, width (points) and colour. A new one draws a solid black line 1.0
// wide. Colours are kept by value: setting a colour copies it, reading one gives a copy.

#include "host/carto/RgbColor.h"
#include "host/core/Ref.h"

namespace host {

enum class LineStyle : long { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5, InsideFrame = 6 };

class SimpleLineSymbol {
public:
    LineStyle Style() const { return style_; }
    void SetStyle(LineStyle style);
    double Width() const { return width_; }
    // Error 5 for a negative or non-finite width.
    void SetWidth(double width);
    Ref<RgbColor> Color() const { return New<RgbColor>(color_); }
    void SetColor(const Ref<RgbColor>& color) { color_ = *color; }

private:
    LineStyle style_ = LineStyle::Solid;
    double width_ = 1.0;
    RgbColor color_;
};

}  // namespace host
