#pragma once
// The windows' pictures: image files kept in this folder (drawn by tools/pictures) and named
// after the form and the control that shows them, "frmMain_Command13.png" for the Help
// button. host::Picture::Locate finds them at run time in the folder "resources" next to the
// program (the build copies them beside every program that shows them) or in the installed
// share/corvane/resources.

#include <string>

namespace host {
class Control;
class Form;
}  // namespace host

// The file name of the picture a control shows: the form's name, "_", the control's name
// and ".png".
std::string WindowPictureFile(const host::Form& form, const host::Control& control);

// Gives every picture button and every image of the form its picture file.
void SetWindowPictures(host::Form& form);
