#include "common/PictureType.h"

namespace lumora {

std::string UpperExtensionOf(std::string_view path) {
    const std::size_t nameStart = path.find_last_of('/');
    const std::string_view name =
        nameStart == std::string_view::npos ? path : path.substr(nameStart + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos) {
        return {};
    }
    std::string extension(name.substr(dot));
    for (char& c : extension) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return extension;
}

PictureType PictureTypeOf(std::string_view path) {
    const std::string extension = UpperExtensionOf(path);
    if (extension == ".BMP") {
        return PictureType::Bitmap;
    }
    if (extension == ".JPG") {
        return PictureType::Jpeg;
    }
    return PictureType::Other;
}

}  // namespace lumora
