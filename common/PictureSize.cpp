#include "common/PictureSize.h"

#include "common/BmpReader.h"
#include "common/JpegDecoder.h"
#include "common/PictureType.h"
#include "platform/Error.h"

namespace lumora {

PictureSize ReadPictureSize(const std::filesystem::path& path) {
    switch (PictureTypeOf(path.string())) {
        case PictureType::Bitmap:
            return ReadBmpSize(path);
        case PictureType::Jpeg:
            return ReadJpegSize(path);
        case PictureType::Other:
            break;
    }
    throw Error("Не удаётся прочитать размер картинки \"" + path.string() +
                "\": это не файл .bmp или .jpg");
}

}  // namespace lumora
