#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/RasterBitmap.h"
#include "platform/Registry.h"

namespace lumora {

// The main window's target resolution (0 and 0 until detected).
struct TargetResolution {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Reads HKLM "\Config\0001\Display\Settings" "Resolution" into `target`: the width is converted
// and stored before the height text is looked at, so a faulty height leaves the new width in place.
// Error naming the faulty text (a missing value reads as the empty text).
void ReadDisplayResolutionInto(const Registry& registry, TargetResolution& target);

// The options dialog's resolution items: "640x480", "800x600", "1024x768", "1152x864",
// "1280x1024"; nothing for "Текущее", the empty text or anything else.
std::optional<PictureSize> ResolutionOfItem(std::string_view itemText);

}  // namespace lumora
