#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace lumora {

// Keys the two programs share, below their roots.
inline constexpr std::string_view kCurrentVersionKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion";
inline constexpr std::string_view kRunKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kVendorKey = "\\Software\\Brenvik";
inline constexpr std::string_view kLumoraKey = "\\Software\\Brenvik\\Lumora";
inline constexpr std::string_view kDesktopKey = "\\Control Panel\\Desktop";
inline constexpr std::string_view kDisplaySettingsKey = "\\Config\\0001\\Display\\Settings";
inline constexpr std::string_view kApplierRunValue = "Lumo4.exe";

// "SystemRoot" of HKLM kCurrentVersionKey; empty when the key or value is missing.
std::string ReadWindowsDirectory(const Registry& registry);

// <Windows directory>/System/LumoraPics.ini and <Windows directory>/System/Lumora.ini. An empty
// Windows directory gives /System/... as on Windows it gave \System\ of the current drive.
std::filesystem::path ScheduleFilePath(std::string_view windowsDirectory);
std::filesystem::path StateFilePath(std::string_view windowsDirectory);

// "Resolution1" and "Resolution2" of HKLM kLumoraKey, as decimal texts; the key is created.
void WriteStoredResolution(Registry& registry, std::int32_t width, std::int32_t height);

struct StoredResolution {
    float width = 0;
    float height = 0;
};

// Reads both values as whole decimal numbers. Error naming the value when either is missing,
// empty or not a whole number.
StoredResolution ReadStoredResolution(const Registry& registry);

}  // namespace lumora
