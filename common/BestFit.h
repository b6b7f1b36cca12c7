#pragma once

#include <cstdint>

namespace lumora {

// Right and bottom exclusive.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The aspect-keeping, centred rectangle of a w x h picture in a W x H canvas. Computed in 80-bit
// extended precision in a fixed order of operations: edges that fall exactly on a whole number
// depend on the last bit, so lower precision moves them by a pixel. Callers guarantee non-zero
// sizes.
Rect BestFitRectangle(long double canvasWidth, long double canvasHeight, long double pictureWidth,
                      long double pictureHeight);

}  // namespace lumora
