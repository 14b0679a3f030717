#include "extension/resources/CommandBitmap.h"

#include <cmath>

namespace {

constexpr std::uint32_t kBackground = 0xC0C0C0;  // the toolbar's transparent grey
constexpr std::uint32_t kNeighbour = 0x4A78C8;
constexpr std::uint32_t kNeighbourEdge = 0x1E3C78;
constexpr std::uint32_t kSubject = 0x8C1010;
constexpr std::uint32_t kSubjectEdge = 0x400000;
constexpr std::uint32_t kBuffer = 0xFF00FF;

std::uint32_t PixelAt(int x, int y) {
    const double dx = x - 7.5;
    const double dy = y - 7.5;
    const double distance = std::sqrt(dx * dx + dy * dy);
    // The subject parcel: a 6 by 6 square in the middle with a darker edge.
    if (x >= 5 && x <= 10 && y >= 5 && y <= 10)
        return (x == 5 || x == 10 || y == 5 || y == 10) ? kSubjectEdge : kSubject;
    // The buffer: a ring around it.
    if (std::abs(distance - 6.2) < 0.75) return kBuffer;
    // Neighbouring parcels in the four corners, cut by the ring.
    const bool cornerX = x <= 3 || x >= 12;
    const bool cornerY = y <= 3 || y >= 12;
    if (cornerX && cornerY && x != 0 && x != 15 && y != 0 && y != 15)
        return (x == 1 || x == 14 || y == 1 || y == 14 || x == 3 || x == 12 || y == 3 || y == 12) ? kNeighbourEdge
                                                                                                  : kNeighbour;
    return kBackground;
}

std::array<std::uint32_t, kCommandBitmapSize * kCommandBitmapSize> Draw() {
    std::array<std::uint32_t, kCommandBitmapSize * kCommandBitmapSize> pixels{};
    for (int y = 0; y < kCommandBitmapSize; ++y)
        for (int x = 0; x < kCommandBitmapSize; ++x)
            pixels[static_cast<std::size_t>(y * kCommandBitmapSize + x)] = PixelAt(x, y);
    return pixels;
}

}  // namespace

const std::array<std::uint32_t, kCommandBitmapSize * kCommandBitmapSize>& CommandBitmapPixels() {
    static const auto pixels = Draw();
    return pixels;
}
