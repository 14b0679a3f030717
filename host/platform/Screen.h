#pragma once
// The screen: the mouse pointer shown over the application and the screen size.

#include <functional>
#include <string>

namespace host {

// The platform's mouse-pointer values used by the extension.
namespace pointer {
inline constexpr int Default = 0;
inline constexpr int Arrow = 1;
inline constexpr int Hourglass = 11;
inline constexpr int Custom = 99;  // the picture set as MouseIcon
}  // namespace pointer

class Screen {
public:
    static Screen& Instance();

    static constexpr int TwipsPerPixel = 15;

    // The pointer shape (0 to 15 or 99); error 5 for another value. Changing it calls
    // PointerChanged.
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int shape);
    // The picture shown for the custom pointer (a picture file name; the hand by default).
    const std::string& MouseIcon() const { return mouseIcon_; }
    void SetMouseIcon(std::string picture);

    // Called with the new shape after each change (the desktop application sets it).
    std::function<void(int)> PointerChanged;

    // The screen size in twips.
    long Width() const { return static_cast<long>(widthPixels_) * TwipsPerPixel; }
    long Height() const { return static_cast<long>(heightPixels_) * TwipsPerPixel; }
    int TwipsPerPixelX() const { return TwipsPerPixel; }
    int TwipsPerPixelY() const { return TwipsPerPixel; }
    // Sets the size in pixels (the desktop application gives the real one; 1920 x 1080
    // without a display).
    void SetSizePixels(int width, int height);

    // Back to the state without a display: default pointer, hand icon, 1920 x 1080, no hook.
    void Reset();

private:
    int mousePointer_ = pointer::Default;
    std::string mouseIcon_ = "hand.cur";
    int widthPixels_ = 1920;
    int heightPixels_ = 1080;
};

}  // namespace host
