#pragma once

#include <string>
#include <string_view>

namespace lumora {

// The display value "Resolution" ("1024,768") split at its first ",": the width text is the part
// before it (empty when there is no ","), the height text the part after it.
struct DisplayResolutionText {
    std::string width;
    std::string height;
};

DisplayResolutionText SplitDisplayResolution(std::string_view value);

}  // namespace lumora
