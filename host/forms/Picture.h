#pragma once
// A picture a form shows (a button's face, a logo, a page, a pointer): either the name of
// an image file, which a front end loads and draws, or pixels held in memory. An empty
// picture shows nothing.
//
// A file named without a folder ("hand.cur") is one of the product's pictures: Locate
// finds it in the picture folders: the folder "resources" next to the running program (the
// build copies the pictures there), then "../share/corvane/resources" from the program's
// folder (an installed product), then the folders added with AddFolder.

#include <cstdint>
#include <filesystem>
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

    // The file of this picture on this machine: the name itself when it is a path to an
    // existing file, else the first picture folder that holds a file of that name; empty
    // when none does or the picture is held in memory.
    std::filesystem::path Locate() const;

    // Adds a picture folder after the others (nothing when it is already one of them).
    static void AddFolder(const std::filesystem::path& folder);
    // The picture folders in the order Locate searches them.
    static std::vector<std::filesystem::path> Folders();

private:
    std::string file_;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace host
