#pragma once
// Writing the pictures to files: PNG through GDAL's PNG driver, and the platform's cursor
// format (".cur": a two-colour 32 by 32 picture with a transparency mask and a hot spot),
// written here byte by byte.

#include <filesystem>

#include "tools/pictures/Canvas.h"

namespace pictures {

// Writes the canvas as a PNG file with an alpha band (RGBA). Throws std::runtime_error
// when the file cannot be written.
void WritePng(const Canvas& canvas, const std::filesystem::path& file);

// Writes a 32 by 32 canvas as a monochrome cursor: fully transparent pixels stay
// transparent, light ones are white and the others black. Throws std::invalid_argument for
// another size or a hot spot outside the picture, std::runtime_error when the file cannot
// be written.
void WriteCursor(const Canvas& canvas, int hotX, int hotY, const std::filesystem::path& file);

}  // namespace pictures
