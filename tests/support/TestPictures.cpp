#include "tests/support/TestPictures.h"

#include <jpeglib.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace lumora::test {

RasterBitmap PatternBitmap(std::int32_t width, std::int32_t height) {
    RasterBitmap bitmap(width, height);
    for (std::int32_t y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.Row(y);
        for (std::int32_t x = 0; x < width; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(x);
            row[3 * x + 1] = static_cast<std::uint8_t>(y);
            row[3 * x + 2] = static_cast<std::uint8_t>(x ^ y);
        }
    }
    return bitmap;
}

RasterBitmap SolidBitmap(std::int32_t width, std::int32_t height, std::uint8_t blue,
                         std::uint8_t green, std::uint8_t red) {
    RasterBitmap bitmap(width, height);
    bitmap.Fill(0, 0, width, height, blue, green, red);
    return bitmap;
}

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
}  // namespace

// Test-only encoder: libjpeg's default error handler exits the process on failure, which is an
// acceptable way for a fixture writer to fail.
void WriteTestJpeg(const std::filesystem::path& path, const RasterBitmap& bitmap, int quality,
                   bool progressive, bool greyscale) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        throw std::runtime_error("cannot write " + path.string());
    }
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file.get());
    cinfo.image_width = static_cast<JDIMENSION>(bitmap.Width());
    cinfo.image_height = static_cast<JDIMENSION>(bitmap.Height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    if (greyscale) {
        jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
    }
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive) {
        jpeg_simple_progression(&cinfo);
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<std::uint8_t> row(bitmap.RowBytes());
    while (cinfo.next_scanline < cinfo.image_height) {
        const std::uint8_t* source = bitmap.Row(static_cast<std::int32_t>(cinfo.next_scanline));
        row.assign(source, source + bitmap.RowBytes());
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
}

}  // namespace lumora::test
