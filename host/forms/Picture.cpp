#include "host/forms/Picture.h"

#include <algorithm>
#include <system_error>

#include "host/core/RuntimeError.h"

namespace host {

namespace {

std::vector<std::filesystem::path>& PictureFolders() {
    static std::vector<std::filesystem::path> folders = [] {
        std::vector<std::filesystem::path> list;
        std::error_code ec;
        const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
        if (!ec && !program.empty()) {
            // Beside the program: a build tree, or a product unpacked into one folder.
            list.push_back(program.parent_path() / "resources");
            // An installed product: PREFIX/bin/corvane and PREFIX/share/corvane/resources.
            list.push_back(program.parent_path().parent_path() / "share" / "corvane" / "resources");
        }
        return list;
    }();
    return folders;
}

bool IsFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

Picture Picture::FromFile(std::string file) {
    Picture p;
    p.file_ = std::move(file);
    return p;
}

Picture Picture::FromPixels(int width, int height, std::vector<std::uint32_t> pixels) {
    if (width <= 0 || height <= 0 ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        Raise(err::InvalidProcedureCall, "The pixels do not make a picture of that size");
    }
    Picture p;
    p.width_ = width;
    p.height_ = height;
    p.pixels_ = std::move(pixels);
    return p;
}

std::filesystem::path Picture::Locate() const {
    if (file_.empty()) return {};
    const std::filesystem::path name(file_);
    if (name.has_parent_path()) return IsFile(name) ? name : std::filesystem::path();
    for (const auto& folder : PictureFolders())
        if (IsFile(folder / name)) return folder / name;
    return {};
}

void Picture::AddFolder(const std::filesystem::path& folder) {
    auto& folders = PictureFolders();
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
}

std::vector<std::filesystem::path> Picture::Folders() { return PictureFolders(); }

}  // namespace host
