#pragma once
// Our own pixel font for the pictures' texts: printable ASCII, each glyph at most 5 pixels
// wide and 9 high (7 above the baseline, 2 for descenders). Letters are set as wide as their
// ink with one blank column between them (a blank is 3 columns). Texts can be drawn
// enlarged by a whole factor and wrapped into a width.

#include <string>
#include <string_view>
#include <vector>

#include "tools/pictures/Canvas.h"

namespace pictures {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 9;
// The height of a line of text, at scale 1.
inline constexpr int kLineHeight = 11;

// Whether the pixel at x, y of the character's glyph is ink. Characters outside printable
// ASCII are drawn as "?".
bool GlyphInk(char c, int x, int y);

// The width in pixels the text takes at the scale.
int TextWidth(std::string_view text, int scale = 1, bool bold = false);

// Draws the text with its top-left corner at x, y; bold doubles each stroke sideways.
void DrawText(Canvas& canvas, int x, int y, std::string_view text, Argb colour, int scale = 1, bool bold = false);

// Breaks the text into lines no wider than width pixels at the scale, at blanks; a word
// longer than the width stands alone on its line.
std::vector<std::string> WrapText(std::string_view text, int width, int scale = 1, bool bold = false);

}  // namespace pictures
