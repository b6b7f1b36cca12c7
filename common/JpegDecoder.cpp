#include "common/JpegDecoder.h"

#include "common/JpegSource.h"

namespace lumora {

PictureSize ReadJpegSize(const std::filesystem::path& path) {
    return JpegSource(path).FullSize();
}

RasterBitmap DecodeJpeg(const std::filesystem::path& path) {
    JpegSource source(path);
    source.Start(8);
    RasterBitmap bitmap(source.OutputSize().width, source.OutputSize().height);
    for (std::int32_t y = 0; y < bitmap.Height(); ++y) {
        source.ReadRow(bitmap.Row(y));
    }
    source.Finish();
    return bitmap;
}

}  // namespace lumora
