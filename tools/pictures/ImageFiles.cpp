#include "tools/pictures/ImageFiles.h"

#include <gdal_priv.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace pictures {

namespace {

struct DatasetCloser {
    void operator()(GDALDataset* dataset) const { GDALClose(dataset); }
};
using Dataset = std::unique_ptr<GDALDataset, DatasetCloser>;

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

bool IsLight(Argb colour) {
    const int red = static_cast<int>((colour >> 16) & 0xFF);
    const int green = static_cast<int>((colour >> 8) & 0xFF);
    const int blue = static_cast<int>(colour & 0xFF);
    return red + green + blue >= 3 * 128;
}

}  // namespace

void WritePng(const Canvas& canvas, const std::filesystem::path& file) {
    GDALAllRegister();
    // No side files next to the picture.
    CPLSetConfigOption("GDAL_PAM_ENABLED", "NO");
    GDALDriver* memory = GetGDALDriverManager()->GetDriverByName("MEM");
    GDALDriver* png = GetGDALDriverManager()->GetDriverByName("PNG");
    if (memory == nullptr || png == nullptr) throw std::runtime_error("GDAL has no MEM or PNG driver");

    const int width = canvas.Width();
    const int height = canvas.Height();
    Dataset source(memory->Create("", width, height, 4, GDT_Byte, nullptr));
    if (!source) throw std::runtime_error("cannot make a picture in memory");
    std::vector<std::uint8_t> band(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    constexpr std::array<int, 4> kShifts = {16, 8, 0, 24};  // red, green, blue, alpha
    for (int b = 0; b < 4; ++b) {
        for (std::size_t i = 0; i < band.size(); ++i)
            band[i] = static_cast<std::uint8_t>((canvas.Pixels()[i] >> kShifts[static_cast<std::size_t>(b)]) & 0xFF);
        GDALRasterBand* target = source->GetRasterBand(b + 1);
        target->SetColorInterpretation(b == 3 ? GCI_AlphaBand : static_cast<GDALColorInterp>(GCI_RedBand + b));
        if (target->RasterIO(GF_Write, 0, 0, width, height, band.data(), width, height, GDT_Byte, 0, 0) != CE_None)
            throw std::runtime_error("cannot fill the picture in memory");
    }
    Dataset written(png->CreateCopy(file.string().c_str(), source.get(), FALSE, nullptr, nullptr, nullptr));
    if (!written) throw std::runtime_error("cannot write " + file.string() + ": " + CPLGetLastErrorMsg());
}

void WriteCursor(const Canvas& canvas, int hotX, int hotY, const std::filesystem::path& file) {
    constexpr int kSize = 32;
    constexpr std::uint32_t kMaskBytes = kSize * kSize / 8;
    if (canvas.Width() != kSize || canvas.Height() != kSize) throw std::invalid_argument("a cursor is 32 by 32 pixels");
    if (hotX < 0 || hotY < 0 || hotX >= kSize || hotY >= kSize)
        throw std::invalid_argument("the hot spot lies outside the cursor");

    // Colour bits (1 white, 0 black) and transparency bits (1 transparent), rows from the
    // bottom, the leftmost pixel in the highest bit.
    std::vector<std::uint8_t> colours(kMaskBytes, 0);
    std::vector<std::uint8_t> transparency(kMaskBytes, 0);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const Argb pixel = canvas.At(x, y);
            const auto at = static_cast<std::size_t>((kSize - 1 - y) * (kSize / 8) + x / 8);
            const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
            if ((pixel >> 24) < 128)
                transparency[at] |= bit;
            else if (IsLight(pixel))
                colours[at] |= bit;
        }
    }

    std::vector<std::uint8_t> out;
    constexpr std::uint32_t kHeaderBytes = 6 + 16;
    constexpr std::uint32_t kImageBytes = 40 + 2 * 4 + 2 * kMaskBytes;
    // The file header: type 2 (cursor), one picture.
    Put16(out, 0);
    Put16(out, 2);
    Put16(out, 1);
    // The picture's entry: size, two colours, the hot spot, its bytes and where they start.
    out.push_back(kSize);
    out.push_back(kSize);
    out.push_back(2);
    out.push_back(0);
    Put16(out, static_cast<unsigned>(hotX));
    Put16(out, static_cast<unsigned>(hotY));
    Put32(out, kImageBytes);
    Put32(out, kHeaderBytes);
    // The picture: a bitmap header (twice the height: colours, then transparency), the two
    // colours black and white, then both masks.
    Put32(out, 40);
    Put32(out, kSize);
    Put32(out, 2 * kSize);
    Put16(out, 1);
    Put16(out, 1);
    for (int i = 0; i < 6; ++i) Put32(out, 0);
    Put32(out, 0x00000000);
    Put32(out, 0x00FFFFFF);
    out.insert(out.end(), colours.begin(), colours.end());
    out.insert(out.end(), transparency.begin(), transparency.end());

    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!stream) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace pictures
