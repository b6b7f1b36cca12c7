#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Registry.h"

namespace lumora {

// A key as the command line and .reg files name it: "HKLM\Software\Brenvik\Lumora".
struct RegKeyName {
    RegistryRoot root;
    std::string path;  // below the root, without a leading "\"; empty for the root itself
};

// Roots are HKLM, HKEY_LOCAL_MACHINE, HKCU, HKEY_CURRENT_USER in any letter case. Nothing for
// another root; Error for a path with an empty name inside.
std::optional<RegKeyName> ParseRegKeyName(std::string_view text);

}  // namespace lumora
