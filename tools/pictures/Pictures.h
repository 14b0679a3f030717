#pragma once
// The product's pictures, drawn in code: the maker's logo, the hand-shaped pointer, the
// faces and icons of the picture buttons and the help page.

#include "tools/pictures/Canvas.h"

namespace pictures {

// The maker's logo, 120 by 50 pixels: a compass mark, the maker's name and its trade.
Canvas MakerLogo();

// The hand-shaped pointer, 32 by 32, pointing up with the tip of its finger at the hot spot.
Canvas HandPointer();
inline constexpr int kHandHotX = 10;
inline constexpr int kHandHotY = 10;

// The face of a picture button with a caption: the button's size, a gradient of the tint
// with a darker edge; the caption is drawn over it.
Canvas ButtonFace(int width, int height, Argb tint);
// Icons of the picture buttons without a caption, two pixels smaller than the button on
// every side: a folder ("Set documents directory") and a question mark ("Help").
Canvas FolderIcon(int buttonWidth, int buttonHeight);
Canvas HelpIcon(int buttonWidth, int buttonHeight);

// The help page, 733 by 533 pixels, of which the window shows the top-left 718 by 503: the
// maker's banner (the links and the version lie over it), the product's name and overview,
// the picture of the main window and how to use it.
inline constexpr int kHelpPageWidth = 733;
inline constexpr int kHelpPageHeight = 533;
Canvas HelpPage(const Canvas& logo, const Canvas& mainWindow);

}  // namespace pictures
