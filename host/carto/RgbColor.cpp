#include "host/carto/RgbColor.h"

#include "host/core/RuntimeError.h"

namespace host {

namespace {
int Part(int value) {
    if (value < 0 || value > 255) Raise(err::InvalidProcedureCall);
    return value;
}
}  // namespace

RgbColor::RgbColor(int red, int green, int blue) : red_(Part(red)), green_(Part(green)), blue_(Part(blue)) {}

void RgbColor::SetRed(int value) { red_ = Part(value); }
void RgbColor::SetGreen(int value) { green_ = Part(value); }
void RgbColor::SetBlue(int value) { blue_ = Part(value); }

void RgbColor::SetRGB(std::int32_t value) {
    if (value < 0 || value > 0xFFFFFF) Raise(err::InvalidProcedureCall);
    red_ = value & 0xFF;
    green_ = (value >> 8) & 0xFF;
    blue_ = (value >> 16) & 0xFF;
}

}  // namespace host
