#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace lumora {

// The .reg text of a key with all its subkeys: "Windows Registry Editor Version 5.00", then one
// [HKEY_...\path] section per key with its values. Written as UTF-8 with CR LF line ends; REG_SZ
// as "name"="text" (hex(1) when the text holds a line break), REG_EXPAND_SZ as hex(2) (UTF-16LE),
// REG_DWORD as dword:xxxxxxxx, the default value as @. Error when the key does not exist.
std::string FormatRegFile(const Registry& registry, RegistryRoot root, std::string_view key);

// One change a .reg file asks for, in file order.
struct RegFileChange {
    enum class Kind { CreateKey, DeleteKey, WriteValue, DeleteValue };
    Kind kind;
    RegistryRoot root;
    std::string key;
    RegistryValue value;  // WriteValue; DeleteValue uses only the name
};

// Reads a whole .reg file (UTF-8, with or without a byte-order mark, or UTF-16LE with its mark):
// sections [key] and [-key], values "name"=..., @=..., "name"=-, comments after ";". Throws Error
// naming the file and the line for anything it cannot read, before any change is made.
std::vector<RegFileChange> ParseRegFile(std::string_view bytes, const std::filesystem::path& file);

void ApplyRegFile(Registry& registry, const std::vector<RegFileChange>& changes);

}  // namespace lumora
