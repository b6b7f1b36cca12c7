#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace lumora {

// "HKEY_LOCAL_MACHINE" or "HKEY_CURRENT_USER".
std::string_view RegistryRootName(RegistryRoot root);

// The root's name followed by the key path, as messages and .reg files show a key.
std::string FullRegistryKeyName(RegistryRoot root, std::string_view key);

// The form in which two key or value names compare equal when they differ only in letter case
// (Latin, Greek and Cyrillic letters). Bytes that are not UTF-8 are kept as they are.
std::string FoldRegistryName(std::string_view name);

// The names of a key path "\A\B\C": the leading "\" is optional and a trailing one is tolerated;
// "" and "\" are the root itself (no names). Throws Error for an empty name inside ("A\\B").
std::vector<std::string> SplitRegistryKeyPath(std::string_view key);

}  // namespace lumora
