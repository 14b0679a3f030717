#include "extension/resources/WindowPictures.h"

#include <filesystem>

#include "host/forms/CommandButton.h"
#include "host/forms/Form.h"
#include "host/forms/Image.h"
#include "host/forms/Picture.h"
#include "host/platform/Screen.h"

namespace {

// A build tree runs without the installed pictures: they are found in the source folder
// this file lies in. The compiler is given the source's full path.
const bool kSourceFolderAdded = [] {
    host::Picture::AddFolder(std::filesystem::path(__FILE__).parent_path());
    return true;
}();

}  // namespace

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

void SetHandPointer(host::Control& control) {
    control.SetMousePointer(host::pointer::Custom);
    control.SetMouseIcon(host::Picture::FromFile(host::Screen::Instance().MouseIcon()));
}
