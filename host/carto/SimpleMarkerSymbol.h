#pragma once
// A marker symbol for points: style, size (points) and colour. A new one is a black circle
// 8.0 in size. The colour is kept by value.

#include "host/carto/RgbColor.h"
#include "host/core/Ref.h"

namespace host {

enum class MarkerStyle : long { Circle = 0, Square = 1, Cross = 2, X = 3, Diamond = 4 };

class SimpleMarkerSymbol {
public:
    MarkerStyle Style() const { return style_; }
    void SetStyle(MarkerStyle style);
    double Size() const { return size_; }
    // Error 5 for a negative or non-finite size.
    void SetSize(double size);
    Ref<RgbColor> Color() const { return New<RgbColor>(color_); }
    void SetColor(const Ref<RgbColor>& color) { color_ = *color; }

private:
    MarkerStyle style_ = MarkerStyle::Circle;
    double size_ = 8.0;
    RgbColor color_;
};

}  // namespace host
