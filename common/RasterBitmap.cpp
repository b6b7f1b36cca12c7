#include "common/RasterBitmap.h"

#include <algorithm>
#include <string>

#include "platform/Error.h"

namespace lumora {

void CheckPictureSize(std::int64_t width, std::int64_t height, std::string_view what) {
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (width < 1 || height < 1) {
        throw Error("\"" + std::string(what) + "\": недопустимый размер рисунка " + size +
                    ": ширина и высота должны быть не меньше 1 точки");
    }
    // Each side is checked first, so that the product below cannot overflow.
    if (width > kMaxPicturePixels || height > kMaxPicturePixels ||
        width * height > kMaxPicturePixels) {
        throw Error("\"" + std::string(what) + "\": слишком большой рисунок " + size +
                    ": допускается не более " + std::to_string(kMaxPicturePixels) + " точек");
    }
}

RasterBitmap::RasterBitmap(std::int32_t width, std::int32_t height) {
    CheckPictureSize(width, height,
                     "рисунок " + std::to_string(width) + " x " + std::to_string(height));
    width_ = width;
    height_ = height;
    pixels_.assign(RowBytes() * static_cast<std::size_t>(height), 0);
}

void RasterBitmap::Fill(std::int32_t left, std::int32_t top, std::int32_t right,
                        std::int32_t bottom, std::uint8_t blue, std::uint8_t green,
                        std::uint8_t red) {
    left = std::clamp(left, 0, width_);
    right = std::clamp(right, 0, width_);
    top = std::clamp(top, 0, height_);
    bottom = std::clamp(bottom, 0, height_);
    if (left >= right || top >= bottom) {
        return;
    }
    // Fill the first row, then copy it: rows are contiguous bytes.
    std::uint8_t* first = Row(top) + static_cast<std::size_t>(left) * 3;
    const std::size_t spanBytes = static_cast<std::size_t>(right - left) * 3;
    for (std::size_t i = 0; i < spanBytes; i += 3) {
        first[i] = blue;
        first[i + 1] = green;
        first[i + 2] = red;
    }
    for (std::int32_t y = top + 1; y < bottom; ++y) {
        std::copy_n(first, spanBytes, Row(y) + static_cast<std::size_t>(left) * 3);
    }
}

}  // namespace lumora
