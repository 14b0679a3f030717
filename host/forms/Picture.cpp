#include "host/forms/Picture.h"

#include "host/core/RuntimeError.h"

namespace host {

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

}  // namespace host
