#include "common/RasterBitmap.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/Error.h"

namespace lumora {
namespace {

TEST(CheckPictureSize, TakesSidesFromOneToTheLimit) {
    struct Case {
        std::int64_t width;
        std::int64_t height;
        bool taken;
    };
    const Case cases[] = {
        {1, 1, true},
        {kMaxPicturePixels, 1, true},
        {1, kMaxPicturePixels, true},
        {1 << 14, 1 << 14, true},
        {0, 5, false},
        {5, 0, false},
        {-1, 5, false},
        {kMaxPicturePixels + 1, 1, false},
        {(1 << 14) + 1, 1 << 14, false},
        {std::int64_t{1} << 40, std::int64_t{1} << 40, false},  // the product would overflow
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        if (c.taken) {
            EXPECT_NO_THROW(CheckPictureSize(c.width, c.height, "/pics/sea.bmp"));
            continue;
        }
        try {
            CheckPictureSize(c.width, c.height, "/pics/sea.bmp");
            ADD_FAILURE() << "taken";
        } catch (const Error& error) {
            const std::string text = error.what();
            EXPECT_NE(text.find("\"/pics/sea.bmp\""), std::string::npos) << text;
            EXPECT_NE(text.find(std::to_string(c.width) + " x " + std::to_string(c.height)),
                      std::string::npos)
                << text;
        }
    }
}

TEST(RasterBitmap, StartsBlackWithTightTopDownRows) {
    RasterBitmap bitmap(3, 2);
    EXPECT_EQ(bitmap.Size(), (PictureSize{3, 2}));
    EXPECT_FALSE(bitmap.Empty());
    EXPECT_EQ(bitmap.RowBytes(), 9u);
    EXPECT_EQ(bitmap.Row(1), bitmap.Row(0) + 9);
    for (int i = 0; i < 18; ++i) {
        EXPECT_EQ(bitmap.Row(0)[i], 0);
    }
    EXPECT_TRUE(RasterBitmap().Empty());
    EXPECT_THROW(RasterBitmap(0, 1), Error);
    EXPECT_THROW(RasterBitmap(1 << 20, 1 << 20), Error);
}

TEST(RasterBitmap, FillClipsToTheBitmap) {
    RasterBitmap bitmap(4, 3);
    bitmap.Fill(-5, 1, 2, 10, 1, 2, 3);  // left part of rows 1 and 2
    bitmap.Fill(3, 0, 3, 3, 9, 9, 9);    // empty: right == left
    bitmap.Fill(5, 0, 9, 3, 9, 9, 9);    // entirely outside
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            const bool filled = y >= 1 && x < 2;
            const std::uint8_t* p = bitmap.Row(y) + 3 * x;
            EXPECT_EQ(p[0], filled ? 1 : 0) << x << "," << y;
            EXPECT_EQ(p[1], filled ? 2 : 0) << x << "," << y;
            EXPECT_EQ(p[2], filled ? 3 : 0) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace lumora
