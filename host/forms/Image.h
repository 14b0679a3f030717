#pragma once
// An image: shows a picture; a click on it raises Click.

#include "host/forms/Control.h"

namespace host {

class Image : public Control {
public:
    using Control::Control;
    std::string_view Kind() const override { return "Image"; }

    const host::Picture& Picture() const { return *picture_; }
    void SetPicture(host::Picture picture) { Update(*picture_, std::move(picture)); }
    // True: the picture is scaled to the control's size; false: drawn at its own size.
    bool Stretch() const { return *stretch_; }
    void SetStretch(bool stretch) { Update(*stretch_, stretch); }

private:
    Designed<host::Picture> picture_{*this};
    Designed<bool> stretch_{*this, false};
};

}  // namespace host
