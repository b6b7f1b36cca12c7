#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumora {

bool IsValidUtf8(std::string_view text);

// Empty when some character of the (valid UTF-8) text has no Windows-1251 code.
// Throws Error for text that is not valid UTF-8.
std::optional<std::string> Utf8ToWindows1251(std::string_view utf8);

std::string Windows1251ToUtf8(std::string_view bytes);

// The text as valid UTF-8 for an error message: every byte that is not part of a well-formed
// character is shown as \xNN.
std::string DisplayableUtf8(std::string_view text);

// UTF-16LE, the text of the Windows registry and of .reg files saved as Unicode. The bytes of
// valid UTF-8 text, without a terminating null character; Error for text that is not UTF-8.
std::string Utf8ToUtf16Le(std::string_view utf8);

// Nothing for an odd number of bytes or a lone surrogate.
std::optional<std::string> Utf16LeToUtf8(std::string_view bytes);

}  // namespace lumora
