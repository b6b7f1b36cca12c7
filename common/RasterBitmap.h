#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace lumora {

// Pictures larger than this are refused before anything is allocated: a damaged header must not
// make us reserve gigabytes.
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 28;

// Throws Error naming `what` (usually the file) when w x h is not a picture we take: a side below
// 1, or more than kMaxPicturePixels in all.
void CheckPictureSize(std::int64_t width, std::int64_t height, std::string_view what);

struct PictureSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// A 24-bit picture: rows top-down, 3 bytes per pixel in the order blue, green, red, no padding.
class RasterBitmap {
public:
    RasterBitmap() = default;
    RasterBitmap(std::int32_t width, std::int32_t height);  // black; checks the size

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    PictureSize Size() const { return {width_, height_}; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    std::uint8_t* Row(std::int32_t y) { return pixels_.data() + RowOffset(y); }
    const std::uint8_t* Row(std::int32_t y) const { return pixels_.data() + RowOffset(y); }
    std::size_t RowBytes() const { return static_cast<std::size_t>(width_) * 3; }

    // Fills the rectangle (right and bottom exclusive, clipped to the bitmap) with one colour.
    void Fill(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
              std::uint8_t blue, std::uint8_t green, std::uint8_t red);

private:
    std::size_t RowOffset(std::int32_t y) const { return static_cast<std::size_t>(y) * RowBytes(); }

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace lumora
