#pragma once
// A control that shows a caption (labels, buttons, check boxes, option buttons, frames).

#include <string>
#include <utility>

#include "host/forms/Control.h"

namespace host {

class CaptionedControl : public Control {
public:
    using Control::Control;
    const std::string& Caption() const { return *caption_; }
    void SetCaption(std::string caption) { Update(*caption_, std::move(caption)); }

private:
    Designed<std::string> caption_{*this};
};

}  // namespace host
