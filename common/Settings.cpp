#include "common/Settings.h"

#include <string>

#include "common/IntegerText.h"
#include "platform/Error.h"
#include "platform/Files.h"

namespace lumora {

namespace {

constexpr std::string_view kSystemRootValue = "SystemRoot";
constexpr std::string_view kStoredWidthValue = "Resolution1";
constexpr std::string_view kStoredHeightValue = "Resolution2";

std::filesystem::path SystemFile(std::string_view windowsDirectory, std::string_view name) {
    // Joined as text: an empty Windows directory must give "/System/...", not a relative path.
    return PathFromUtf8(std::string(windowsDirectory) + "/System/" + std::string(name));
}

float ReadStoredSide(const Registry& registry, std::string_view name) {
    const auto text = registry.ReadString(RegistryRoot::LocalMachine, kLumoraKey, name);
    try {
        return static_cast<float>(ParseInt32(text.value_or("")));
    } catch (const Error& error) {
        throw Error("Параметр \"" + std::string(name) + "\" раздела HKEY_LOCAL_MACHINE" +
                    std::string(kLumoraKey) + " " +
                    (text ? "неверен: " + std::string(error.what()) : "отсутствует"));
    }
}

}  // namespace

std::string ReadWindowsDirectory(const Registry& registry) {
    return registry.ReadString(RegistryRoot::LocalMachine, kCurrentVersionKey, kSystemRootValue)
        .value_or("");
}

std::filesystem::path ScheduleFilePath(std::string_view windowsDirectory) {
    return SystemFile(windowsDirectory, "LumoraPics.ini");
}

std::filesystem::path StateFilePath(std::string_view windowsDirectory) {
    return SystemFile(windowsDirectory, "Lumora.ini");
}

void WriteStoredResolution(Registry& registry, std::int32_t width, std::int32_t height) {
    registry.CreateKey(RegistryRoot::LocalMachine, kLumoraKey);
    registry.WriteString(RegistryRoot::LocalMachine, kLumoraKey, kStoredWidthValue,
                         std::to_string(width));
    registry.WriteString(RegistryRoot::LocalMachine, kLumoraKey, kStoredHeightValue,
                         std::to_string(height));
}

StoredResolution ReadStoredResolution(const Registry& registry) {
    StoredResolution stored;
    stored.width = ReadStoredSide(registry, kStoredWidthValue);
    stored.height = ReadStoredSide(registry, kStoredHeightValue);
    return stored;
}

}  // namespace lumora
