#pragma once
// A command button, plain or showing a picture (a picture button, with or without a
// caption). One button of a form may be its default button (Enter presses it) and one its
// cancel button (Escape presses it); making a button the default takes that role from the
// form's other buttons, and likewise for the cancel button.

#include "host/forms/CaptionedControl.h"

namespace host {

enum class ButtonStyle { Standard = 0, Graphical = 1 };

class CommandButton : public CaptionedControl {
public:
    using CaptionedControl::CaptionedControl;
    std::string_view Kind() const override { return "CommandButton"; }

    ButtonStyle Style() const { return state_->style; }
    void SetStyle(ButtonStyle style) { Update(state_->style, style); }
    // The picture a graphical button shows.
    const host::Picture& Picture() const { return state_->picture; }
    void SetPicture(host::Picture picture) { Update(state_->picture, std::move(picture)); }
    bool IsPictureButton() const { return state_->style == ButtonStyle::Graphical; }

    bool Default() const { return state_->isDefault; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return state_->isCancel; }
    void SetCancel(bool isCancel);

private:
    struct State {
        ButtonStyle style = ButtonStyle::Standard;
        host::Picture picture;
        bool isDefault = false;
        bool isCancel = false;
    };
    Designed<State> state_{*this};
};

}  // namespace host
