#pragma once
// Layout helpers the extension's windows share: the window specifications give positions in
// pixels, the controls take twips; buttons, lists and pickers show the hand-shaped pointer.

#include "host/forms/Control.h"
#include "host/forms/Picture.h"
#include "host/platform/Screen.h"

// Places a control: left, top, width and height in pixels.
inline void PlacePixels(host::Control& control, long left, long top, long width, long height) {
    control.Move(host::Pixels(left), host::Pixels(top), host::Pixels(width), host::Pixels(height));
}

// The hand-shaped pointer over the control.
inline void HandPointer(host::Control& control) {
    control.SetMousePointer(host::pointer::Custom);
    control.SetMouseIcon(host::Picture::FromFile(host::Screen::Instance().MouseIcon()));
}
