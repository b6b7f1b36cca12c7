#include <gtest/gtest.h>

#include <vector>

#include "common/AreaResampler.h"
#include "tests/support/TestPictures.h"

namespace lumora {
namespace {

RasterBitmap Resample(const RasterBitmap& source, PictureSize target) {
    RasterBitmap result(target.width, target.height);
    std::vector<bool> seen(static_cast<std::size_t>(target.height), false);
    AreaResampler::ResampleBitmap(source, target, [&](std::int32_t y, const std::uint8_t* bgr) {
        EXPECT_FALSE(seen[static_cast<std::size_t>(y)]) << "row " << y << " given twice";
        seen[static_cast<std::size_t>(y)] = true;
        std::copy(bgr, bgr + result.RowBytes(), result.Row(y));
    });
    for (std::size_t y = 0; y < seen.size(); ++y) {
        EXPECT_TRUE(seen[y]) << "row " << y << " never given";
    }
    return result;
}

TEST(AreaResampler, ShrinkingAveragesTheCoveredArea) {
    RasterBitmap checker(2, 2);
    checker.Fill(0, 0, 1, 1, 255, 255, 255);
    checker.Fill(1, 1, 2, 2, 255, 255, 255);
    const RasterBitmap grey = Resample(checker, {1, 1});
    for (int channel = 0; channel < 3; ++channel) {
        EXPECT_NEAR(grey.Row(0)[channel], 128, 1);
    }

    // 3 -> 2 pixels: each target pixel takes one whole source pixel and half of the middle one.
    RasterBitmap row(3, 1);
    row.Fill(0, 0, 1, 1, 0, 0, 0);
    row.Fill(1, 0, 2, 1, 90, 90, 90);
    row.Fill(2, 0, 3, 1, 180, 180, 180);
    const RasterBitmap two = Resample(row, {2, 1});
    EXPECT_EQ(two.Row(0)[0], 30);   // (0 + 0.5 * 90) / 1.5
    EXPECT_EQ(two.Row(0)[3], 150);  // (0.5 * 90 + 180) / 1.5
}

TEST(AreaResampler, SameSizeIsExactAndScalingKeepsASolidColour) {
    const RasterBitmap pattern = test::PatternBitmap(37, 23);
    const RasterBitmap same = Resample(pattern, pattern.Size());
    for (std::int32_t y = 0; y < pattern.Height(); ++y) {
        ASSERT_TRUE(std::equal(same.Row(y), same.Row(y) + same.RowBytes(), pattern.Row(y)));
    }
    const RasterBitmap solid = test::SolidBitmap(30, 20, 10, 120, 250);
    for (const PictureSize target :
         {PictureSize{7, 5}, PictureSize{97, 61}, PictureSize{45, 9}, PictureSize{1, 1}}) {
        const RasterBitmap scaled = Resample(solid, target);
        for (std::int32_t y = 0; y < target.height; ++y) {
            for (std::int32_t x = 0; x < target.width; ++x) {
                const std::uint8_t* p = scaled.Row(y) + 3 * x;
                ASSERT_EQ(p[0], 10);
                ASSERT_EQ(p[1], 120);
                ASSERT_EQ(p[2], 250);
            }
        }
    }
}

TEST(AreaResampler, EnlargingInterpolatesBetweenNeighbours) {
    RasterBitmap two(2, 1);
    two.Fill(1, 0, 2, 1, 200, 200, 200);
    const RasterBitmap four = Resample(two, {4, 1});
    // Centres at 0.25 and 0.75 of the way between the pixels: 0, 50, 150, 200.
    EXPECT_EQ(four.Row(0)[0], 0);
    EXPECT_EQ(four.Row(0)[3], 50);
    EXPECT_EQ(four.Row(0)[6], 150);
    EXPECT_EQ(four.Row(0)[9], 200);
}

}  // namespace
}  // namespace lumora
