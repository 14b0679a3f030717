#pragma once
// A fill symbol: fill style, fill colour and an outline line symbol. A new one fills solid
// grey (190, 190, 190) with a solid black outline 1.0 wide. The hollow style paints no
// fill, only the outline. Colour and outline are kept by value.

#include "host/carto/RgbColor.h"
#include "host/carto/SimpleLineSymbol.h"
#include "host/core/Ref.h"

namespace host {

enum class FillStyle : long {
    Solid = 0,
    Hollow = 1,
    Horizontal = 2,
    Vertical = 3,
    ForwardDiagonal = 4,
    BackwardDiagonal = 5,
    Cross = 6,
    DiagonalCross = 7,
};

class SimpleFillSymbol {
public:
    FillStyle Style() const { return style_; }
    void SetStyle(FillStyle style);
    Ref<RgbColor> Color() const { return New<RgbColor>(color_); }
    void SetColor(const Ref<RgbColor>& color) { color_ = *color; }
    // A copy of the outline; Nothing when the symbol has none.
    Ref<SimpleLineSymbol> Outline() const;
    // Nothing removes the outline.
    void SetOutline(const Ref<SimpleLineSymbol>& outline);

private:
    FillStyle style_ = FillStyle::Solid;
    RgbColor color_{190, 190, 190};
    bool hasOutline_ = true;
    SimpleLineSymbol outline_;
};

}  // namespace host
