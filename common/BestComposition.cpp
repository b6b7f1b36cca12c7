#include "common/BestComposition.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/AreaResampler.h"
#include "common/BmpReader.h"
#include "common/BmpWriter.h"
#include "common/JpegSource.h"

namespace lumora {

namespace {

Rect FitInside(PictureSize canvas, PictureSize picture) {
    Rect r = BestFitRectangle(canvas.width, canvas.height, picture.width, picture.height);
    // Rounding can never push an edge out by more than a pixel, but the canvas is the limit.
    r.left = std::clamp(r.left, 0, canvas.width);
    r.right = std::clamp(r.right, r.left, canvas.width);
    r.top = std::clamp(r.top, 0, canvas.height);
    r.bottom = std::clamp(r.bottom, r.top, canvas.height);
    return r;
}

// The canvas, written a row at a time: black bands plus the picture rows of the rectangle.
class CanvasWriter {
public:
    CanvasWriter(const std::filesystem::path& target, PictureSize canvas, Rect rectangle)
        : writer_(target, canvas.width, canvas.height),
          canvas_(canvas),
          rectangle_(rectangle),
          row_(static_cast<std::size_t>(canvas.width) * 3, 0) {}

    PictureSize RectangleSize() const {
        return {rectangle_.right - rectangle_.left, rectangle_.bottom - rectangle_.top};
    }

    // The row's left and right bands stay black: only the rectangle's span is ever copied in.
    void WritePictureRow(std::int32_t y, const std::uint8_t* bgr) {
        std::memcpy(row_.data() + static_cast<std::size_t>(rectangle_.left) * 3, bgr,
                    static_cast<std::size_t>(RectangleSize().width) * 3);
        writer_.WriteRow(rectangle_.top + y, row_.data());
    }

    void WriteBandsAndCommit() {
        std::fill(row_.begin(), row_.end(), 0);
        for (std::int32_t y = 0; y < canvas_.height; ++y) {
            if (y < rectangle_.top || y >= rectangle_.bottom) {
                writer_.WriteRow(y, row_.data());
            }
        }
        writer_.Commit();
    }

private:
    BmpRowWriter writer_;
    PictureSize canvas_;
    Rect rectangle_;
    std::vector<std::uint8_t> row_;
};

bool IsEmpty(PictureSize size) {
    return size.width <= 0 || size.height <= 0;
}

void ComposeJpeg(const std::filesystem::path& source, std::optional<PictureSize> canvas,
                 const std::filesystem::path& target) {
    JpegSource jpeg(source);
    const PictureSize canvasSize = canvas.value_or(jpeg.FullSize());
    CanvasWriter out(target, canvasSize, FitInside(canvasSize, jpeg.FullSize()));
    const PictureSize rectangle = out.RectangleSize();
    if (!IsEmpty(rectangle)) {
        jpeg.Start(CoveringJpegScale(jpeg, rectangle));
        AreaResampler resampler(
            jpeg.OutputSize(), rectangle,
            [&out](std::int32_t y, const std::uint8_t* bgr) { out.WritePictureRow(y, bgr); });
        for (std::int32_t y = 0; y < jpeg.OutputSize().height; ++y) {
            jpeg.ReadRow(resampler.NextRow());
            resampler.PushRow();
        }
        jpeg.Finish();
    }
    out.WriteBandsAndCommit();
}

void ComposeBitmap(const std::filesystem::path& source, std::optional<PictureSize> canvas,
                   const std::filesystem::path& target) {
    const RasterBitmap picture = ReadBmp(source);
    const PictureSize canvasSize = canvas.value_or(picture.Size());
    CanvasWriter out(target, canvasSize, FitInside(canvasSize, picture.Size()));
    if (!IsEmpty(out.RectangleSize())) {
        AreaResampler::ResampleBitmap(
            picture, out.RectangleSize(),
            [&out](std::int32_t y, const std::uint8_t* bgr) { out.WritePictureRow(y, bgr); });
    }
    out.WriteBandsAndCommit();
}

}  // namespace

int CoveringJpegScale(JpegSource& jpeg, PictureSize rectangle) {
    for (const int scale : {1, 2, 4}) {
        const PictureSize size = jpeg.ScaledSize(scale);
        if (size.width >= rectangle.width && size.height >= rectangle.height) {
            return scale;
        }
    }
    return 8;
}

void ComposeBest(const std::filesystem::path& source, bool jpeg, std::optional<PictureSize> canvas,
                 const std::filesystem::path& target) {
    if (jpeg) {
        ComposeJpeg(source, canvas, target);
    } else {
        ComposeBitmap(source, canvas, target);
    }
}

}  // namespace lumora
