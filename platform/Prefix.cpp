#include "platform/Prefix.h"

#include <cstdlib>
#include <string>

#include "platform/Error.h"

namespace lumora {
namespace {

std::string EnvironmentText(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

std::filesystem::path PrefixPath() {
    std::filesystem::path prefix;
    if (auto explicitPrefix = EnvironmentText("LUMORA_PREFIX"); !explicitPrefix.empty()) {
        prefix = explicitPrefix;
    } else if (auto dataHome = EnvironmentText("XDG_DATA_HOME"); !dataHome.empty()) {
        prefix = std::filesystem::path(dataHome) / "lumora";
    } else if (auto home = EnvironmentText("HOME"); !home.empty()) {
        prefix = std::filesystem::path(home) / ".local" / "share" / "lumora";
    } else {
        throw Error("Не удаётся найти папку данных: не заданы LUMORA_PREFIX, XDG_DATA_HOME и HOME");
    }
    // Absolute and without a trailing separator: the Windows directory ("SystemRoot") is derived
    // from it and must name the same folder from any working directory.
    prefix = std::filesystem::absolute(prefix).lexically_normal();
    if (!prefix.has_filename() && prefix.has_relative_path()) {
        prefix = prefix.parent_path();
    }
    return prefix;
}

}  // namespace lumora
