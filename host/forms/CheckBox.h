#pragma once
// A check box: value 0 (unticked) or 1 (ticked). A change of the value, by the user or by
// code, raises Click.

#include "host/forms/CaptionedControl.h"

namespace host {

class CheckBox : public CaptionedControl {
public:
    using CaptionedControl::CaptionedControl;
    std::string_view Kind() const override { return "CheckBox"; }

    int Value() const { return *value_; }
    // Error 380 for a value other than 0 or 1.
    void SetValue(int value);
    // The user's click toggles the box.
    void Press() override;

private:
    Designed<int> value_{*this, 0};
};

}  // namespace host
