#pragma once
// A frame: a box with a caption that contains other controls. Option buttons in one frame
// form one group.

#include "host/forms/CaptionedControl.h"

namespace host {

class Frame : public CaptionedControl {
public:
    using CaptionedControl::CaptionedControl;
    std::string_view Kind() const override { return "Frame"; }
};

}  // namespace host
