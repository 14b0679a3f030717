#pragma once
// A picture a form shows (a button's face, a logo, a page, a pointer): either the name of
// an image file, which a front end loads and draws, or pixels held in memory. An empty
// picture shows nothing.

#include <cstdint>
#include <string>
#include <vector>

namespace host {

class Picture {
public:
    Picture() = default;

    // A picture kept in an image file (a path on this machine, or a name the front end
    // resolves among the product's pictures).
    static Picture FromFile(std::string file);
    // A picture of width x height pixels, row by row from the top, each 0x00RRGGBB.
    // Error 5 when the pixel count does not match or a side is not positive.
    static Picture FromPixels(int width, int height, std::vector<std::uint32_t> pixels);

    bool IsEmpty() const { return file_.empty() && pixels_.empty(); }
    const std::string& File() const { return file_; }
    // 0 for a picture kept in a file (its size is the file's).
    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<std::uint32_t>& Pixels() const { return pixels_; }

    bool operator==(const Picture&) const = default;

private:
    std::string file_;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace host
