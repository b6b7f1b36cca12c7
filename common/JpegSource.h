#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "common/RasterBitmap.h"

namespace lumora {

struct JpegState;

// A JPEG file decoded a row at a time, at full size or at a reduced DCT scale (scaleNum / 8), into
// 24-bit blue, green, red rows. The header is read and its size checked on construction, before
// anything large is allocated. Every decoder failure becomes an Error naming the file; so does a
// picture that ends early or whose entropy-coded data is damaged (libjpeg would only warn and pad
// it with grey).
class JpegSource {
public:
    explicit JpegSource(const std::filesystem::path& path);
    ~JpegSource();
    JpegSource(const JpegSource&) = delete;
    JpegSource& operator=(const JpegSource&) = delete;

    PictureSize FullSize() const { return fullSize_; }

    // The size a decode at scaleNum / 8 (1..16) gives.
    PictureSize ScaledSize(int scaleNum);

    // Starts decoding at scaleNum / 8; fast (SIMD) reductions are 1/8, 2/8 and 4/8.
    void Start(int scaleNum);
    PictureSize OutputSize() const { return outputSize_; }

    // Decodes the next row (width * 3 bytes) into `bgr`.
    void ReadRow(std::uint8_t* bgr);

    // Reads to the end of the file, so damage after the last row is reported too.
    void Finish();

private:
    [[noreturn]] void Fail() const;
    void SetScale(int scaleNum);

    std::filesystem::path path_;
    std::unique_ptr<JpegState> state_;
    PictureSize fullSize_;
    PictureSize outputSize_;
    bool cmyk_ = false;
    std::vector<std::uint8_t> cmykRow_;
};

}  // namespace lumora
