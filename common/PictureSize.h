#pragma once

#include <filesystem>

#include "common/RasterBitmap.h"

namespace lumora {

// The size of a .bmp or .jpg picture read from its header, without decoding it. Error naming the
// file for a damaged header or a file that is neither.
PictureSize ReadPictureSize(const std::filesystem::path& path);

}  // namespace lumora
