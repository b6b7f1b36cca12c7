#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumora {

// UTF-16LE is the text of hex(1) and hex(2) data in .reg files and of .reg files saved as Unicode.

// The bytes of valid UTF-8 text in UTF-16LE, without a terminating null character.
std::string Utf8ToUtf16Le(std::string_view utf8);

// Nothing for an odd number of bytes or a lone surrogate.
std::optional<std::string> Utf16LeToUtf8(std::string_view bytes);

}  // namespace lumora
