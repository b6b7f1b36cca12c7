#include "configurator/model/EntryRules.h"

#include <string>

#include "platform/Error.h"

namespace lumora {

namespace {

// The file's name: the part after the last "/" (the browser hands us native paths).
std::string_view FileNameOf(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string SizeText(const PictureSize& size) {
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

}  // namespace

std::string CaptionFor(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    const auto dot = name.find('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(0, dot));
}

std::string TypeTextFor(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return {};
    }
    std::string type(name.substr(dot + 1));
    for (char& c : type) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return type;
}

bool EntryNeedsPictureSize(const EntryOptions& options) {
    return options.showSize || options.targetWidth != 0;
}

std::string ByResolutionLetter(std::int32_t targetWidth, std::int32_t pictureWidth) {
    // A width of 0 must never reach the division; such a picture has nothing to tile or stretch.
    if (pictureWidth <= 0) {
        return "C";
    }
    const std::int32_t times = targetWidth / pictureWidth;
    std::string letter = times == 0 ? "N" : "S";
    if (pictureWidth == targetWidth) {
        letter = "C";
    }
    if (times > 2) {
        letter = "N";  // three or more fit across: tiled
    }
    return letter;
}

PictureEntryFields DecideEntry(std::string_view path, std::string_view fallbackLetter,
                               const EntryOptions& options, std::optional<PictureSize> size) {
    if (EntryNeedsPictureSize(options) && !size) {
        throw Error("Размер картинки \"" + std::string(path) + "\" не определён");
    }
    PictureEntryFields fields{CaptionFor(path), std::string(fallbackLetter), TypeTextFor(path),
                              "0"};
    if (options.targetWidth != 0) {
        // A resolution rule is active: the radio buttons only choose within it.
        fields.letter = options.rule == PlacementRule::ByResolution
                            ? ByResolutionLetter(options.targetWidth, size->width)
                            : "B";
        fields.sizeText = SizeText(*size);
        return fields;
    }
    switch (options.rule) {
        case PlacementRule::AlwaysCenter:
            fields.letter = "C";
            break;
        case PlacementRule::AlwaysTile:
            fields.letter = "N";
            break;
        case PlacementRule::AlwaysStretch:
            fields.letter = "S";
            break;
        case PlacementRule::Best:
        case PlacementRule::ByResolution:
            break;  // chosen but not accepted: the caller's fallback letter stays
    }
    if (options.showSize) {
        fields.sizeText = SizeText(*size);
    }
    return fields;
}

}  // namespace lumora
