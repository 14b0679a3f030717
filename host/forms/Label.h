#pragma once
// A label: a caption that the user cannot edit. A click on it raises Click (link labels).

#include "host/forms/CaptionedControl.h"

namespace host {

enum class Alignment { Left = 0, Right = 1, Center = 2 };

class Label : public CaptionedControl {
public:
    using CaptionedControl::CaptionedControl;
    std::string_view Kind() const override { return "Label"; }

    host::Alignment Alignment() const { return *alignment_; }
    void SetAlignment(host::Alignment alignment) { Update(*alignment_, alignment); }

private:
    Designed<host::Alignment> alignment_{*this, host::Alignment::Left};
};

}  // namespace host
