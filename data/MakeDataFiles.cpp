// Draws the program's own data files: the thumbnail's background pics/fon.bmp and the no-picture
// image not.bmp. Run at build time: make_data_files <output folder>.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>

#include "common/BmpWriter.h"
#include "common/RasterBitmap.h"

namespace {

using lumora::RasterBitmap;

struct Colour {
    double red, green, blue;
};

Colour Mix(Colour a, Colour b, double t) {
    return {a.red + (b.red - a.red) * t, a.green + (b.green - a.green) * t,
            a.blue + (b.blue - a.blue) * t};
}

void Put(RasterBitmap& bitmap, std::int32_t x, std::int32_t y, Colour colour) {
    if (x < 0 || y < 0 || x >= bitmap.Width() || y >= bitmap.Height()) {
        return;
    }
    std::uint8_t* pixel = bitmap.Row(y) + static_cast<std::size_t>(x) * 3;
    pixel[0] = static_cast<std::uint8_t>(std::clamp(colour.blue, 0.0, 255.0));
    pixel[1] = static_cast<std::uint8_t>(std::clamp(colour.green, 0.0, 255.0));
    pixel[2] = static_cast<std::uint8_t>(std::clamp(colour.red, 0.0, 255.0));
}

void Rectangle(RasterBitmap& bitmap, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, Colour colour) {
    for (std::int32_t x = left; x < right; ++x) {
        Put(bitmap, x, top, colour);
        Put(bitmap, x, bottom - 1, colour);
    }
    for (std::int32_t y = top; y < bottom; ++y) {
        Put(bitmap, left, y, colour);
        Put(bitmap, right - 1, y, colour);
    }
}

// A dark blue-grey field, lighter towards the middle, with a thin bevelled frame: thumbnails are
// drawn over it, so it stays quiet.
RasterBitmap Background() {
    constexpr std::int32_t kWidth = 210;
    constexpr std::int32_t kHeight = 158;
    RasterBitmap bitmap(kWidth, kHeight);
    const Colour edge{10, 14, 22};
    const Colour middle{34, 44, 62};
    for (std::int32_t y = 0; y < kHeight; ++y) {
        for (std::int32_t x = 0; x < kWidth; ++x) {
            const double dx = (x + 0.5) / kWidth - 0.5;
            const double dy = (y + 0.5) / kHeight - 0.45;
            const double distance = std::min(1.0, std::sqrt(dx * dx + dy * dy) * 1.6);
            Put(bitmap, x, y, Mix(middle, edge, distance));
        }
    }
    Rectangle(bitmap, 0, 0, kWidth, kHeight, {70, 82, 100});
    Rectangle(bitmap, 1, 1, kWidth - 1, kHeight - 1, {4, 6, 10});
    Rectangle(bitmap, 4, 4, kWidth - 4, kHeight - 4, {26, 34, 48});
    return bitmap;
}

// A grey frame on black, crossed out in dark red: there is no picture to show.
RasterBitmap NoPicture() {
    constexpr std::int32_t kWidth = 100;
    constexpr std::int32_t kHeight = 75;
    RasterBitmap bitmap(kWidth, kHeight);
    const Colour frame{128, 128, 128};
    const Colour cross{176, 32, 32};
    Rectangle(bitmap, 8, 6, kWidth - 8, kHeight - 6, frame);
    Rectangle(bitmap, 9, 7, kWidth - 9, kHeight - 7, {64, 64, 64});
    const double width = kWidth - 24;
    const double height = kHeight - 20;
    for (std::int32_t i = 0; i <= static_cast<std::int32_t>(width); ++i) {
        const auto x = static_cast<std::int32_t>(12 + i);
        const auto y = static_cast<std::int32_t>(std::lround(10 + i * height / width));
        for (std::int32_t thick = 0; thick < 2; ++thick) {
            Put(bitmap, x, y + thick, cross);
            Put(bitmap, x, kHeight - 1 - y - thick, cross);
        }
    }
    return bitmap;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "usage: make_data_files OUTPUT_FOLDER\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder / "pics");
        lumora::WriteBmp(folder / "pics" / "fon.bmp", Background());
        lumora::WriteBmp(folder / "not.bmp", NoPicture());
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
