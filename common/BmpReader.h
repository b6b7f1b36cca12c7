#pragma once

#include <filesystem>

#include "common/RasterBitmap.h"

namespace lumora {

// Reads a Windows bitmap file as a Windows bitmap reader takes it: 1, 2, 4, 8, 16, 24 and 32 bits
// per pixel; RLE4 and RLE8; bit fields; bottom-up and top-down; OS/2 and version 4 and 5 headers;
// short and odd-sized palettes. Error naming the file and what is wrong for a damaged file; never
// reads outside the file's bytes.
RasterBitmap ReadBmp(const std::filesystem::path& path);

// The size from the header alone, checked as ReadBmp checks it.
PictureSize ReadBmpSize(const std::filesystem::path& path);

}  // namespace lumora
