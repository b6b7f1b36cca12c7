#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/TextLines.h"

namespace lumora {

// Line 3 when line 2 is exactly "delete file"; nothing for fewer than two lines.
std::optional<std::string> ReadDeleteMark(const TextLines& stateLines);

// Nothing when there is no line 1 or it does not contain "active"; else the text after the first
// "=" of line 1 as a whole number (Error naming the text when it is not one).
std::optional<std::int32_t> ReadActiveIndex(const TextLines& stateLines);

// "active=<index>", then "delete file" and the path when a generated bitmap is given.
TextLines FormatStateLines(std::int32_t activeIndex,
                           const std::optional<std::string>& generatedBitmap);

}  // namespace lumora
