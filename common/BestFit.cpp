#include "common/BestFit.h"

#include <cmath>

namespace lumora {

namespace {

// The integer part, plus one for a positive fractional part: a tiny negative margin gives 0.
long double Ceil(long double x) {
    const long double whole = std::trunc(x);
    return x - whole > 0 ? whole + 1 : whole;
}

std::int32_t Edge(long double x) {
    return static_cast<std::int32_t>(x);
}

}  // namespace

Rect BestFitRectangle(long double canvasWidth, long double canvasHeight, long double pictureWidth,
                      long double pictureHeight) {
    const long double W = canvasWidth;
    const long double H = canvasHeight;
    const long double w = pictureWidth;
    const long double h = pictureHeight;
    if (W / H >= w / h) {
        // Relatively taller (or the same shape): full height, free width split left and right.
        const long double scale = H / h;
        const long double scaledWidth = scale * w;
        const long double d = W - scaledWidth;
        const long double half = d * 0.5L;
        return Rect{Edge(Ceil(half)), 0, Edge(Ceil(W - half)), Edge(std::trunc(H))};
    }
    // Relatively wider: full width, free height split equally above and below.
    const long double scale = W / w;
    const long double scaledHeight = scale * h;
    const long double e = H - scaledHeight;
    const std::int32_t c = Edge(Ceil(e * 0.5L));
    return Rect{0, c, Edge(std::trunc(W)), Edge(std::trunc(H)) - c};
}

}  // namespace lumora
