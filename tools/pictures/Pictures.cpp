#include "tools/pictures/Pictures.h"

#include <array>
#include <string>
#include <vector>

#include "tools/pictures/PixelFont.h"

namespace pictures {

namespace {

const Argb kNavy = Rgb(20, 40, 90);
const Argb kDarkRed = Rgb(128, 0, 0);
const Argb kSteel = Rgb(171, 181, 193);
const Argb kText = Rgb(24, 24, 24);

// The pointer, row by row: "X" black, "o" white, "." transparent.
constexpr std::array<const char*, 32> kHand = {
    "................................",  // 0
    "................................", "................................",
    "................................", "................................",
    "................................",  // 5
    "................................", "................................",
    "................................", "................................",
    "..........XX....................",  // 10: the tip of the finger, the hot spot
    ".........XooX...................", ".........XooX...................",
    ".........XooX...................", ".........XooX...................",
    ".........XooXXX.................",  // 15
    ".........XooXooXXX..............", ".........XooXooXooXX............",
    "......XX.XooXooXooXoX...........", "......XoXXooXooXooXoX...........",
    "......XooXooooooooooX...........",  // 20
    ".......XoXooooooooooX...........", ".......XooooooooooooX...........",
    "........XoooooooooooX...........", "........XooooooooooX............",
    ".........XoooooooooX............",  // 25
    ".........XoooooooooX............", "..........XooooooooX............",
    "..........XXXXXXXXXX............", "..........XooooooooX............",
    "..........XooooooooX............",  // 30
    "..........XXXXXXXXXX............",
};

// Draws wrapped text; returns the top of the line after it.
int Paragraph(Canvas& canvas, int x, int y, int width, const std::string& text, Argb colour, int indent = 0) {
    for (const std::string& line : WrapText(text, width - indent)) {
        DrawText(canvas, x + indent, y, line, colour);
        y += kLineHeight + 2;
    }
    return y;
}

}  // namespace

Canvas MakerLogo() {
    Canvas logo(120, 50, kWhite);
    logo.FrameRect(0, 0, 120, 50, Rgb(90, 100, 120));
    // The compass: a ring with a north needle.
    logo.Ring(17.0, 25.0, 13.0, 2.5, kNavy);
    for (int i = 0; i <= 8; ++i) {
        logo.Line(17 - i / 3, 14 + i, 17 + i / 3, 14 + i, kDarkRed);
        logo.Line(17 - i / 3, 36 - i, 17 + i / 3, 36 - i, kSteel);
    }
    logo.FillCircle(17.0, 25.0, 1.6, kNavy);
    DrawText(logo, 35, 9, "TOVALIN", kNavy, 2);
    DrawText(logo, 36, 33, "MAPPING TOOLS", kDarkRed);
    return logo;
}

Canvas HandPointer() {
    Canvas hand(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const char c = kHand[static_cast<std::size_t>(y)][x];
            if (c == 'X') hand.Set(x, y, kBlack);
            if (c == 'o') hand.Set(x, y, kWhite);
        }
    return hand;
}

Canvas ButtonFace(int width, int height, Argb tint) {
    Canvas face(width, height);
    face.VerticalGradient(0, 0, width, height, Mix(tint, kWhite, 0.7), tint);
    face.FillRect(1, 1, width - 2, 1, Mix(tint, kWhite, 0.9));
    face.FrameRect(0, 0, width, height, Mix(tint, kBlack, 0.45));
    return face;
}

Canvas FolderIcon(int buttonWidth, int buttonHeight) {
    const int width = buttonWidth - 4;
    const int height = buttonHeight - 4;
    const Argb edge = Rgb(150, 110, 20);
    Canvas icon(width, height);
    const int tab = width * 2 / 5;
    icon.FillRect(1, 0, tab, 2, Rgb(240, 200, 90));
    icon.FrameRect(0, 0, tab + 1, 3, edge);
    icon.VerticalGradient(0, 2, width, height - 2, Rgb(255, 226, 120), Rgb(226, 172, 50));
    icon.FrameRect(0, 2, width, height - 2, edge);
    icon.FillRect(1, 3, width - 2, 1, Rgb(255, 242, 190));
    return icon;
}

Canvas HelpIcon(int buttonWidth, int buttonHeight) {
    const int width = buttonWidth - 4;
    const int height = buttonHeight - 4;
    Canvas icon(width, height);
    const double radius = (width < height ? width : height) / 2.0;
    icon.FillCircle(width / 2.0, height / 2.0, radius, Rgb(40, 90, 180));
    icon.Ring(width / 2.0, height / 2.0, radius, 1.0, kNavy);
    DrawText(icon, width / 2 - 2, height / 2 - 3, "?", kWhite, 1, false);
    return icon;
}

Canvas HelpPage(const Canvas& logo, const Canvas& mainWindow) {
    Canvas page(kHelpPageWidth, kHelpPageHeight, kWhite);

    // The banner: the logo, the maker's name and trade; the contact links (x 132 to 465,
    // y 48 to 69), the update and forum links and the version (x 576 to 713, y 28 to 89)
    // lie over its white.
    page.FillRect(0, 0, kHelpPageWidth, 4, kNavy);
    page.Draw(logo, 6, 12);
    DrawText(page, 132, 10, "Tovalin Mapping Services", kNavy, 2, true);
    DrawText(page, 132, 32, "GIS software  -  custom mapping tools  -  parcel data", kDarkRed);
    DrawText(page, 612, 76, "Version", kText);
    page.FillRect(0, 94, kHelpPageWidth, 3, kDarkRed);
    page.FillRect(0, 97, kHelpPageWidth, 2, kSteel);

    // The main window on the left.
    page.Draw(mainWindow, 10, 106);

    // The product and how to use it on the right.
    const int x = 452;
    const int width = 712 - x;
    DrawText(page, x, 108, "Corvane", kDarkRed, 3, true);
    int y = Paragraph(page, x, 140, width, "Reports the features within a buffer zone as mailing labels and reports.",
                      kNavy);
    y += 14;
    DrawText(page, x, y, "How to use it", kText, 1, true);
    y += kLineHeight + 7;
    const std::vector<std::string> steps = {
        "Choose a Buffer Layer and a Search Field: the field's values load into the list. Then choose a "
        "Selection Layer.",
        "Click a value in the list: every feature of the Selection Layer within the buffer distance is "
        "selected.",
        "Buffer Selected Features buffers the features already selected in the Buffer Layer.",
        "Export Table exports the result as a table. View Report shows it as labels, letters, envelopes and "
        "other documents.",
        "Configure chooses the address fields for the label and report documents.",
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        DrawText(page, x, y, std::to_string(i + 1) + ".", kDarkRed, 1, true);
        y = Paragraph(page, x, y, width, steps[i], kText, 14) + 9;
    }
    return page;
}

}  // namespace pictures
