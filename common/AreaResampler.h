#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "common/RasterBitmap.h"

namespace lumora {

// Scales a picture that arrives a row at a time, top-down, to another size, giving each finished
// row to a sink as soon as the source rows it needs have arrived. Along an axis that shrinks each
// target pixel is the average of the source area it covers (fractional coverage counts); along an
// axis that grows it is interpolated bilinearly. Holds only the few source rows one target row
// needs, never the picture.
class AreaResampler {
public:
    // Target row index (top-down) and its target.width * 3 bytes of blue, green, red.
    using RowSink = std::function<void(std::int32_t y, const std::uint8_t* bgr)>;

    AreaResampler(PictureSize source, PictureSize target, RowSink sink);

    // Where the next source row (source.width * 3 bytes) is to be written, then PushRow().
    std::uint8_t* NextRow();
    void PushRow();

    // Scales a whole bitmap.
    static void ResampleBitmap(const RasterBitmap& source, PictureSize target, RowSink sink);

private:
    // For each target pixel along one axis: the first source index and `taps` weights.
    struct AxisTaps {
        std::int32_t taps = 1;
        std::vector<std::int32_t> first;
        std::vector<float> weights;  // taps per target pixel, 0 where a pixel needs fewer
        std::vector<std::int32_t> last;
    };
    static AxisTaps ComputeTaps(std::int32_t sourceLength, std::int32_t targetLength);

    void EmitReadyRows();

    PictureSize source_;
    PictureSize target_;
    RowSink sink_;
    bool identity_;
    AxisTaps horizontal_;
    AxisTaps vertical_;
    std::int32_t ringRows_;
    std::vector<std::uint8_t> ring_;  // the last ringRows_ source rows
    std::vector<float> column_;       // one source-width row, filtered vertically
    std::vector<std::uint8_t> out_;
    std::int32_t pushed_ = 0;
    std::int32_t emitted_ = 0;
};

}  // namespace lumora
