#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/RasterBitmap.h"

namespace lumora {

// The five radio buttons of the options dialog (b1, b3, b4, b5, b2).
enum class PlacementRule { AlwaysCenter, AlwaysTile, AlwaysStretch, Best, ByResolution };

// What AddPictureEntry reads at the moment it runs: the dialog's controls as they stand and the
// main window's target width (0: no resolution rule active).
struct EntryOptions {
    PlacementRule rule = PlacementRule::Best;
    bool showSize = true;
    std::int32_t targetWidth = 0;
};

// The three sub-items and the caption of a new row of the picture list.
struct PictureEntryFields {
    std::string caption;   // file name up to its first "."
    std::string letter;    // "C", "N", "S", "B" or the fallback letter
    std::string typeText;  // extension after the last ".", upper-cased
    std::string sizeText;  // "WxH" or "0"
    friend bool operator==(const PictureEntryFields&, const PictureEntryFields&) = default;
};

// The name of the path's file up to (not including) its first "."; empty without a ".".
std::string CaptionFor(std::string_view path);
// The extension after the last "." of the file name, without the dot, upper-cased; empty without.
std::string TypeTextFor(std::string_view path);

// Whether the picture must be opened for its size: show size on, or a target width set.
bool EntryNeedsPictureSize(const EntryOptions& options);

// The by-resolution rule: "N" for a picture wider than R, "C" for exactly R, "S" below, "N" again
// for three or more times narrower. A width of 0 (no real picture) gets "C".
std::string ByResolutionLetter(std::int32_t targetWidth, std::int32_t pictureWidth);

// Decides the entry's fields. `size` must be given when EntryNeedsPictureSize(options).
PictureEntryFields DecideEntry(std::string_view path, std::string_view fallbackLetter,
                               const EntryOptions& options, std::optional<PictureSize> size);

}  // namespace lumora
