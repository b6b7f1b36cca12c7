#pragma once

#include <string>
#include <string_view>

namespace lumora {

enum class PictureType { Bitmap, Jpeg, Other };

// The extension of the path's file name from its last ".", upper-cased, with the dot (".JPG");
// empty when the name has no ".".
std::string UpperExtensionOf(std::string_view path);

// ".BMP" is a bitmap, ".JPG" a JPEG, anything else neither.
PictureType PictureTypeOf(std::string_view path);

}  // namespace lumora
