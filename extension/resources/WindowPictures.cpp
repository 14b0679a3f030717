#include "extension/resources/WindowPictures.h"

#include "host/forms/CommandButton.h"
#include "host/forms/Form.h"
#include "host/forms/Image.h"
#include "host/forms/Picture.h"
#include "host/platform/Screen.h"

std::string WindowPictureFile(const host::Form& form, const host::Control& control) {
    return form.Name() + "_" + control.Name() + ".png";
}

void SetWindowPictures(host::Form& form) {
    for (host::Control* control : form.Controls()) {
        if (auto* button = dynamic_cast<host::CommandButton*>(control); button && button->IsPictureButton())
            button->SetPicture(host::Picture::FromFile(WindowPictureFile(form, *button)));
        else if (auto* image = dynamic_cast<host::Image*>(control))
            image->SetPicture(host::Picture::FromFile(WindowPictureFile(form, *image)));
    }
}
