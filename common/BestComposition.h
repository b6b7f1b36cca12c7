#pragma once

#include <filesystem>
#include <optional>

#include "common/BestFit.h"
#include "common/RasterBitmap.h"

namespace lumora {

class JpegSource;

// Composes a .bmp or .jpg picture into its best-fit rectangle on a black canvas (the picture's own
// size when no canvas is given) and writes the canvas as a 24-bit bitmap at `target`. A JPEG is
// decoded at the smallest reduced scale that still covers the rectangle, and streamed through the
// resampler, so neither the full-size picture nor a second canvas is ever held. Error naming the
// file when the source cannot be read or the target cannot be written; nothing is then left there.
void ComposeBest(const std::filesystem::path& source, bool jpeg, std::optional<PictureSize> canvas,
                 const std::filesystem::path& target);

// The numerator (of 8) of the smallest fast libjpeg reduction whose output covers `rectangle`:
// 1, 2 or 4, else 8 (full size; anything larger is enlarged after decoding).
int CoveringJpegScale(JpegSource& jpeg, PictureSize rectangle);

}  // namespace lumora
