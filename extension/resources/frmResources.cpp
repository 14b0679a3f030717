#include "extension/resources/frmResources.h"

#include <vector>

#include "extension/resources/CommandBitmap.h"

namespace {

std::vector<host::Picture>& HandedOut() {
    static std::vector<host::Picture> pictures;
    return pictures;
}

}  // namespace

frmResources::frmResources() : host::Form("frmResources") {
    Picture1.SetPicture(CommandBitmapPicture());
    Picture1.Move(0, 0, host::Pixels(kCommandBitmapSize), host::Pixels(kCommandBitmapSize));
}

host::Picture CommandBitmapPicture() {
    const auto& pixels = CommandBitmapPixels();
    return host::Picture::FromPixels(kCommandBitmapSize, kCommandBitmapSize,
                                     std::vector<std::uint32_t>(pixels.begin(), pixels.end()));
}

std::int32_t PictureHandle(const host::Picture& picture) {
    auto& pictures = HandedOut();
    for (std::size_t i = 0; i < pictures.size(); ++i)
        if (pictures[i] == picture) return static_cast<std::int32_t>(i + 1);
    pictures.push_back(picture);
    return static_cast<std::int32_t>(pictures.size());
}

const host::Picture* PictureFromHandle(std::int32_t handle) {
    const auto& pictures = HandedOut();
    if (handle < 1 || static_cast<std::size_t>(handle) > pictures.size()) return nullptr;
    return &pictures[static_cast<std::size_t>(handle) - 1];
}
