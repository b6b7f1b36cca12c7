#pragma once

#include <cstdint>
#include <filesystem>

#include "common/RasterBitmap.h"

namespace lumora::test {

// A picture whose every pixel tells where it is: blue = x, green = y (both mod 256), red = x ^ y.
// Scaling or cropping mistakes show up as wrong values at known places.
RasterBitmap PatternBitmap(std::int32_t width, std::int32_t height);

// One colour all over.
RasterBitmap SolidBitmap(std::int32_t width, std::int32_t height, std::uint8_t blue,
                         std::uint8_t green, std::uint8_t red);

// Encodes a bitmap as a baseline JPEG (libjpeg's compressor, used only by tests and benchmarks).
void WriteTestJpeg(const std::filesystem::path& path, const RasterBitmap& bitmap, int quality = 90,
                   bool progressive = false, bool greyscale = false);

}  // namespace lumora::test
