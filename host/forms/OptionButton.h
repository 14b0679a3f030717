#pragma once
// An option button. The option buttons of one container (a frame, or the form itself)
// form a group in which at most one is selected: selecting one clears the others.
// Becoming selected, by the user or by code, raises Click; being cleared raises nothing.

#include "host/forms/CaptionedControl.h"

namespace host {

class OptionButton : public CaptionedControl {
public:
    using CaptionedControl::CaptionedControl;
    std::string_view Kind() const override { return "OptionButton"; }

    bool Value() const { return *value_; }
    void SetValue(bool value);
    // The user's click selects the button.
    void Press() override;

private:
    Designed<bool> value_{*this, false};
};

}  // namespace host
