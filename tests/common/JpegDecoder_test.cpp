#include <gtest/gtest.h>

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <cstdlib>
#include <memory>
#include <vector>

#include "common/JpegDecoder.h"
#include "common/JpegSource.h"
#include "tests/support/TempPrefix.h"
#include "tests/support/TestPictures.h"

namespace lumora {
namespace {

// Smooth colours, so that the comparison measures the decoder and not JPEG's loss on fine detail.
RasterBitmap Gradient(std::int32_t width, std::int32_t height) {
    RasterBitmap bitmap(width, height);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            std::uint8_t* p = bitmap.Row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(x * 255 / width);
            p[1] = static_cast<std::uint8_t>(y * 255 / height);
            p[2] = static_cast<std::uint8_t>(200 - x * 100 / width);
        }
    }
    return bitmap;
}

double MeanDifference(const RasterBitmap& a, const RasterBitmap& b) {
    double sum = 0;
    for (std::int32_t y = 0; y < a.Height(); ++y) {
        for (std::size_t i = 0; i < a.RowBytes(); ++i) {
            sum += std::abs(int{a.Row(y)[i]} - int{b.Row(y)[i]});
        }
    }
    return sum / (static_cast<double>(a.RowBytes()) * a.Height());
}

class JpegDecoderTest : public test::TempPrefixTest {};

TEST_F(JpegDecoderTest, BaselineAndProgressiveDecodeCloseToTheSource) {
    const RasterBitmap source = Gradient(67, 45);
    for (const bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        const auto path = Work() / "a.jpg";
        test::WriteTestJpeg(path, source, 95, progressive);
        EXPECT_EQ(ReadJpegSize(path), (PictureSize{67, 45}));
        const RasterBitmap decoded = DecodeJpeg(path);
        ASSERT_EQ(decoded.Size(), source.Size());
        EXPECT_LT(MeanDifference(decoded, source), 3.0);
    }
}

TEST_F(JpegDecoderTest, GreyscaleGivesEqualChannels) {
    const auto path = Work() / "grey.jpg";
    test::WriteTestJpeg(path, test::SolidBitmap(16, 8, 90, 90, 90), 90, false, true);
    const RasterBitmap decoded = DecodeJpeg(path);
    const std::uint8_t* p = decoded.Row(3) + 3 * 5;
    EXPECT_NEAR(p[0], 90, 2);
    EXPECT_EQ(p[0], p[1]);
    EXPECT_EQ(p[1], p[2]);
}

// libjpeg stores CMYK as given and marks it with an Adobe marker; Adobe's convention, which
// readers assume when the marker is present, is inverted ink (255 = none).
void WriteAdobeCmykJpeg(const std::filesystem::path& path, std::int32_t width, std::int32_t height,
                        const std::uint8_t invertedCmyk[4]) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct encoder{};
    jpeg_error_mgr errors{};
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    jpeg_stdio_dest(&encoder, file);
    encoder.image_width = static_cast<JDIMENSION>(width);
    encoder.image_height = static_cast<JDIMENSION>(height);
    encoder.input_components = 4;
    encoder.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&encoder);
    jpeg_set_colorspace(&encoder, JCS_YCCK);
    jpeg_set_quality(&encoder, 95, TRUE);
    jpeg_start_compress(&encoder, TRUE);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 4);
    for (std::size_t i = 0; i < row.size(); ++i) {
        row[i] = invertedCmyk[i % 4];
    }
    while (encoder.next_scanline < encoder.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&encoder, rows, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    std::fclose(file);
}

TEST_F(JpegDecoderTest, AdobeCmykBecomesRgb) {
    const auto path = Work() / "cmyk.jpg";
    // Magenta and yellow ink in full, no cyan, no black: red. Inverted: 255, 0, 0, 255.
    const std::uint8_t red[4] = {255, 0, 0, 255};
    WriteAdobeCmykJpeg(path, 16, 16, red);
    const RasterBitmap decoded = DecodeJpeg(path);
    const std::uint8_t* p = decoded.Row(8) + 3 * 8;
    EXPECT_NEAR(p[0], 0, 3);    // blue
    EXPECT_NEAR(p[1], 0, 3);    // green
    EXPECT_NEAR(p[2], 255, 3);  // red
}

TEST_F(JpegDecoderTest, ReducedScaleDecodesAFraction) {
    const auto path = Work() / "big.jpg";
    test::WriteTestJpeg(path, test::SolidBitmap(200, 120, 30, 60, 90));
    JpegSource source(path);
    EXPECT_EQ(source.ScaledSize(1), (PictureSize{25, 15}));
    EXPECT_EQ(source.ScaledSize(4), (PictureSize{100, 60}));
    source.Start(2);
    ASSERT_EQ(source.OutputSize(), (PictureSize{50, 30}));
    std::vector<std::uint8_t> row(50 * 3);
    for (int y = 0; y < 30; ++y) {
        source.ReadRow(row.data());
    }
    source.Finish();
    EXPECT_NEAR(row[3 * 20 + 2], 90, 3);
}

}  // namespace
}  // namespace lumora
