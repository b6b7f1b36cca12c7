#pragma once

#include <filesystem>

#include "common/RasterBitmap.h"

namespace lumora {

// JPEG decoding through libjpeg: baseline, progressive, greyscale, CMYK and YCCK. A decoder error
// becomes an Error carrying the file's name and the decoder's own message; no longjmp ever crosses
// a C++ object.

// The size from the header alone (jpeg_read_header), checked as DecodeJpeg checks it.
PictureSize ReadJpegSize(const std::filesystem::path& path);

// The whole picture at full size, 24-bit.
RasterBitmap DecodeJpeg(const std::filesystem::path& path);

}  // namespace lumora
