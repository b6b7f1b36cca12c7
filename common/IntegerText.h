#pragma once

#include <cstdint>
#include <string_view>

namespace lumora {

// A whole decimal number: an optional sign and digits, nothing else, within 32 bits.
// Throws Error naming the text: «"12=3" — не целое число».
std::int32_t ParseInt32(std::string_view text);

}  // namespace lumora
