#include "common/PicturePreparation.h"

#include <system_error>

#include "common/BestComposition.h"
#include "common/BmpWriter.h"
#include "common/DisplayResolution.h"
#include "common/IntegerText.h"
#include "common/JpegSource.h"
#include "common/PictureType.h"
#include "common/Settings.h"
#include "platform/Error.h"
#include "platform/Files.h"

namespace lumora {

namespace {

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool PathTaken(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

// The source path without the extension of its file name.
std::string StemOf(const std::string& sourcePath) {
    const std::string extension = UpperExtensionOf(sourcePath);
    return sourcePath.substr(0, sourcePath.size() - extension.size());
}

// BitmapPathFor(source) when nothing is there yet, else the first free "<stem>.lumora[N].bmp":
// a generated bitmap never replaces the source or a file the user owns.
std::string FreeBitmapPath(const std::string& sourcePath) {
    std::string candidate = BitmapPathFor(sourcePath);
    if (!PathTaken(PathFromUtf8(candidate))) {
        return candidate;
    }
    const std::string stem = StemOf(sourcePath);
    for (int number = 1; number <= 1000; ++number) {
        candidate = stem + ".lumora" + (number == 1 ? "" : std::to_string(number)) + ".bmp";
        if (!PathTaken(PathFromUtf8(candidate))) {
            return candidate;
        }
    }
    throw Error("Не удаётся выбрать имя для картинки рядом с \"" + sourcePath +
                "\": все имена вида \"" + stem + ".lumora*.bmp\" заняты");
}

// The full-size picture, a row at a time: the decoded picture is never held whole.
void ConvertJpeg(const std::filesystem::path& source, const std::filesystem::path& target) {
    JpegSource jpeg(source);
    jpeg.Start(8);
    const PictureSize size = jpeg.OutputSize();
    BmpRowWriter writer(target, size.width, size.height);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(size.width) * 3);
    for (std::int32_t y = 0; y < size.height; ++y) {
        jpeg.ReadRow(row.data());
        writer.WriteRow(y, row.data());
    }
    jpeg.Finish();
    writer.Commit();
}

}  // namespace

std::string BitmapPathFor(std::string_view sourcePath) {
    // The last three characters, counted in UTF-8 characters rather than bytes.
    std::size_t keep = sourcePath.size();
    for (int characters = 0; characters < 3 && keep > 0; ++characters) {
        --keep;
        while (keep > 0 && IsUtf8Continuation(sourcePath[keep])) {
            --keep;
        }
    }
    return std::string(sourcePath.substr(0, keep)) + "bmp";
}

std::optional<PictureSize> BestCanvasFor(std::int64_t width, std::int64_t height,
                                         const Registry& registry) {
    if (width <= 0 || height <= 0) {
        const std::optional<std::string> resolution =
            registry.ReadString(RegistryRoot::LocalMachine, kDisplaySettingsKey, "Resolution");
        if (!resolution) {
            return std::nullopt;
        }
        const DisplayResolutionText text = SplitDisplayResolution(*resolution);
        try {
            width = ParseInt32(text.width);
            height = ParseInt32(text.height);
        } catch (const Error&) {
            return std::nullopt;  // an unusable display value: compose at the picture's size
        }
        if (width <= 0 || height <= 0) {
            return std::nullopt;
        }
    }
    CheckPictureSize(width, height, "холст для размещения «Лучший вид»");
    return PictureSize{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
}

PreparedPicture PreparePicture(const std::string& sourcePath, std::string_view letter,
                               std::optional<PictureSize> bestCanvas) {
    const PictureType type = PictureTypeOf(sourcePath);
    if (letter == "B") {
        if (type == PictureType::Other) {
            throw Error("Не удаётся вписать картинку \"" + sourcePath +
                        "\": это не файл .bmp или .jpg");
        }
        const std::string bitmapPath = FreeBitmapPath(sourcePath);
        ComposeBest(PathFromUtf8(sourcePath), type == PictureType::Jpeg, bestCanvas,
                    PathFromUtf8(bitmapPath));
        return {bitmapPath, true};
    }
    if (type == PictureType::Jpeg) {
        const std::string bitmapPath = FreeBitmapPath(sourcePath);
        ConvertJpeg(PathFromUtf8(sourcePath), PathFromUtf8(bitmapPath));
        return {bitmapPath, true};
    }
    if (type == PictureType::Bitmap) {
        return {sourcePath, false};
    }
    return {BitmapPathFor(sourcePath), false};
}

void WriteDesktopValues(Registry& registry, std::string_view bitmapPath, std::string_view letter) {
    const auto root = RegistryRoot::CurrentUser;
    registry.WriteString(root, kDesktopKey, "Wallpaper", bitmapPath);
    const char* tile = nullptr;
    const char* style = nullptr;
    if (letter == "C" || letter == "B") {
        tile = "0";
        style = "0";
    } else if (letter == "N") {
        tile = "1";
        style = "0";
    } else if (letter == "S") {
        tile = "0";
        style = "2";
    } else {
        return;
    }
    registry.WriteString(root, kDesktopKey, "TileWallpaper", tile);
    registry.WriteString(root, kDesktopKey, "WallpaperStyle", style);
}

bool IsDeletableMark(std::string_view path) {
    if (path.size() < 4) {
        return false;
    }
    const std::string_view ending = path.substr(path.size() - 4);
    const char* bmp = ".bmp";
    for (std::size_t i = 0; i < 4; ++i) {
        char c = ending[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != bmp[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace lumora
