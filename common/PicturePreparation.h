#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/RasterBitmap.h"
#include "platform/Registry.h"

namespace lumora {

// The source path with its last three characters replaced by "bmp".
std::string BitmapPathFor(std::string_view sourcePath);

// The canvas of a "B" picture: the stored (or target) resolution; when either side is 0 or below,
// the display's "Resolution"; when that is unusable too, nothing (the picture's own size).
std::optional<PictureSize> BestCanvasFor(std::int64_t width, std::int64_t height,
                                         const Registry& registry);

struct PreparedPicture {
    std::string bitmapPath;  // what "Wallpaper" names
    bool generated = false;  // a bitmap was written: the caller records it in the delete mark
};

// Turns a picture entry into the file the desktop shows. "B": composed on a black canvas of
// `bestCanvas` (the picture's own size when empty); a .jpg of any other letter: decoded at full
// size; a .bmp of any other letter: nothing opened, the source is the wallpaper as it is spelled.
// A generated bitmap is never written over an existing file: when BitmapPathFor names one, it goes
// to a free name beside it ("SEA.lumora.bmp"). Error naming the file when the source cannot be
// read or the bitmap cannot be written; nothing is then left at the bitmap path.
PreparedPicture PreparePicture(const std::string& sourcePath, std::string_view letter,
                               std::optional<PictureSize> bestCanvas);

// "Wallpaper" := bitmap path, then by the letter "TileWallpaper" and "WallpaperStyle" ("C" 0 0,
// "N" 1 0, "S" 0 2, "B" 0 0; any other letter: neither), under HKCU kDesktopKey, which must exist.
void WriteDesktopValues(Registry& registry, std::string_view bitmapPath, std::string_view letter);

// Whether a delete mark may be honoured: only files whose name ends in ".bmp" (any case), the
// only kind the system generates.
bool IsDeletableMark(std::string_view path);

}  // namespace lumora
