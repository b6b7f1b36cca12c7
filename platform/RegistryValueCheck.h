#pragma once

#include <string_view>

#include "platform/Registry.h"

namespace lumora {

// REG_SZ or REG_EXPAND_SZ: a value that reads as text.
bool IsRegistryStringType(std::string_view type);

// The value in the form the registry stores it, or Error naming the value when it cannot be stored:
// an unknown type, a name or text that is not UTF-8 or holds a NUL character, a REG_DWORD that is
// not a number from 0 to 4294967295 (decimal, or hexadecimal after "0x"; stored as decimal).
RegistryValue CheckedRegistryValue(const RegistryValue& value);

}  // namespace lumora
