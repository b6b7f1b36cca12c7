#include <gtest/gtest.h>

#include "common/BestFit.h"

namespace lumora {
namespace {

TEST(BestFitRectangle, WorkedValuesHoldExactly) {
    struct Case {
        long double canvasWidth, canvasHeight, pictureWidth, pictureHeight;
        Rect expected;
    };
    const Case cases[] = {
        {1024, 768, 800, 600, {0, 0, 1024, 768}},     // same shape
        {1024, 768, 1280, 1024, {32, 0, 992, 768}},   // taller
        {1024, 768, 600, 800, {224, 0, 800, 768}},    // portrait
        {1024, 768, 1000, 1000, {128, 0, 896, 768}},  // square
        {1024, 768, 1920, 1080, {0, 96, 1024, 672}},  // wider
        {1024, 768, 1366, 768, {0, 97, 1024, 671}},   // wider, margins rounded up
        {640, 480, 333, 250, {1, 0, 640, 480}},       // left margin rounded up, right down
        {800, 600, 300, 200, {0, 34, 800, 566}},     {800, 600, 1920, 1080, {0, 75, 800, 525}},
        {1280, 1024, 800, 600, {0, 32, 1280, 992}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pictureWidth << "x" << c.pictureHeight << " in "
                                        << c.canvasWidth << "x" << c.canvasHeight);
        const Rect r =
            BestFitRectangle(c.canvasWidth, c.canvasHeight, c.pictureWidth, c.pictureHeight);
        EXPECT_EQ(r, c.expected) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(BestFitRectangle, OddFreeWidthMakesTheLeftBandOnePixelWider) {
    // 61 pixels free: 31 on the left, 30 on the right.
    EXPECT_EQ(BestFitRectangle(81, 60, 20, 60), (Rect{31, 0, 51, 60}));
}

}  // namespace
}  // namespace lumora
