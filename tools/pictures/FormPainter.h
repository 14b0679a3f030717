#pragma once
// Paints a form as the user sees it in its host frame: the frame's title bar and border and
// the form's visible controls (frames, labels, text boxes, pickers, lists, buttons, check and
// option boxes, images) at their places, clipped to the client area.

#include <functional>
#include <string>

#include "tools/pictures/Canvas.h"

namespace host {
class Form;
}

namespace pictures {

// The picture drawn for a picture file name, nullptr when there is none.
using PictureLookup = std::function<const Canvas*(const std::string& file)>;

// What the host frame adds around the client area.
inline constexpr int kFrameBorder = 2;
inline constexpr int kTitleHeight = 18;

Canvas PaintForm(const host::Form& form, const std::string& frameCaption, const PictureLookup& pictures);

}  // namespace pictures
