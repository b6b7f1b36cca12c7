#include "common/IntegerText.h"

#include <charconv>
#include <string>

#include "platform/Error.h"

namespace lumora {

std::int32_t ParseInt32(std::string_view text) {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);  // from_chars takes "-" but not "+"
        if (!digits.empty() && digits.front() == '-') {
            digits = text;  // "+-1": let it fail below
        }
    }
    std::int32_t value = 0;
    const char* end = digits.data() + digits.size();
    auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (digits.empty() || error != std::errc{} || stop != end) {
        throw Error("\"" + std::string(text) + "\" — не целое число");
    }
    return value;
}

}  // namespace lumora
