#include "host/platform/Screen.h"

#include "host/core/RuntimeError.h"

namespace host {

Screen& Screen::Instance() {
    static Screen instance;
    return instance;
}

void Screen::SetMousePointer(int shape) {
    if (!((shape >= 0 && shape <= 15) || shape == pointer::Custom)) Raise(err::InvalidProcedureCall);
    mousePointer_ = shape;
    if (PointerChanged) PointerChanged(shape);
}

void Screen::SetMouseIcon(std::string picture) { mouseIcon_ = std::move(picture); }

void Screen::SetSizePixels(int width, int height) {
    if (width <= 0 || height <= 0) Raise(err::InvalidProcedureCall);
    widthPixels_ = width;
    heightPixels_ = height;
}

void Screen::Reset() {
    mousePointer_ = pointer::Default;
    mouseIcon_ = "hand.cur";
    widthPixels_ = 1920;
    heightPixels_ = 1080;
    PointerChanged = nullptr;
}

}  // namespace host
