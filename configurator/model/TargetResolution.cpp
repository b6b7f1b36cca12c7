#include "configurator/model/TargetResolution.h"

#include <array>
#include <string>
#include <utility>

#include "common/DisplayResolution.h"
#include "common/IntegerText.h"
#include "common/Settings.h"
#include "platform/Error.h"

namespace lumora {

namespace {

constexpr std::string_view kResolutionValue = "Resolution";

std::string DisplayKeyName() {
    return "HKEY_LOCAL_MACHINE" + std::string(kDisplaySettingsKey);
}

// One side of the display value; the error names the whole value and the faulty part.
std::int32_t ParseSide(std::string_view sideText, const std::optional<std::string>& value) {
    if (!value) {
        throw Error(
            "Не удаётся прочитать разрешение экрана: нет значения \"Resolution\" в разделе " +
            DisplayKeyName());
    }
    try {
        return ParseInt32(sideText);
    } catch (const Error& error) {
        throw Error("Не удаётся прочитать разрешение экрана: значение \"Resolution\" раздела " +
                    DisplayKeyName() + " равно \"" + *value +
                    "\", а нужно «ширина,высота»: " + error.what());
    }
}

}  // namespace

void ReadDisplayResolutionInto(const Registry& registry, TargetResolution& target) {
    const std::optional<std::string> value =
        registry.ReadString(RegistryRoot::LocalMachine, kDisplaySettingsKey, kResolutionValue);
    const DisplayResolutionText parts = SplitDisplayResolution(value.value_or(std::string()));
    // The width is stored before the height is looked at: a faulty height keeps the new width.
    target.width = ParseSide(parts.width, value);
    target.height = ParseSide(parts.height, value);
}

std::optional<PictureSize> ResolutionOfItem(std::string_view itemText) {
    static constexpr std::array<std::pair<std::string_view, PictureSize>, 5> kItems{{
        {"640x480", {640, 480}},
        {"800x600", {800, 600}},
        {"1024x768", {1024, 768}},
        {"1152x864", {1152, 864}},
        {"1280x1024", {1280, 1024}},
    }};
    for (const auto& [text, size] : kItems) {
        if (text == itemText) {
            return size;
        }
    }
    return std::nullopt;
}

}  // namespace lumora
