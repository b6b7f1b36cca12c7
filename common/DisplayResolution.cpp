#include "common/DisplayResolution.h"

namespace lumora {

DisplayResolutionText SplitDisplayResolution(std::string_view value) {
    const auto comma = value.find(',');
    if (comma == std::string_view::npos) {
        // Without a "," the width text is empty and the height text is everything.
        return {std::string(), std::string(value)};
    }
    return {std::string(value.substr(0, comma)), std::string(value.substr(comma + 1))};
}

}  // namespace lumora
