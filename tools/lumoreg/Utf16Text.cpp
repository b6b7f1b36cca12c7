#include "tools/lumoreg/Utf16Text.h"

#include <algorithm>
#include <cstdint>

namespace lumora {
namespace {

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string Utf8ToUtf16Le(std::string_view utf8) {
    std::u32string codePoints;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        length = std::min(length, utf8.size() - i);  // callers pass valid UTF-8; never overrun
        char32_t c = length == 1   ? lead
                     : length == 2 ? lead & 0x1F
                     : length == 3 ? lead & 0x0F
                                   : lead & 0x07;
        for (std::size_t k = 1; k < length; ++k) {
            c = (c << 6) | (static_cast<std::uint8_t>(utf8[i + k]) & 0x3F);
        }
        codePoints += c;
        i += length;
    }
    std::string bytes;
    const auto unit = [&](char32_t u) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    };
    for (const char32_t c : codePoints) {
        if (c < 0x10000) {
            unit(c);
        } else {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return bytes;
}

std::optional<std::string> Utf16LeToUtf8(std::string_view bytes) {
    if (bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    const auto unitAt = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<std::uint8_t>(bytes[i]) |
                                     (static_cast<std::uint8_t>(bytes[i + 1]) << 8));
    };
    std::string utf8;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t c = unitAt(i);
        if (c >= 0xDC00 && c <= 0xDFFF) {
            return std::nullopt;
        }
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 3 >= bytes.size()) {
                return std::nullopt;
            }
            const char32_t low = unitAt(i + 2);
            if (low < 0xDC00 || low > 0xDFFF) {
                return std::nullopt;
            }
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        AppendUtf8(utf8, c);
    }
    return utf8;
}

}  // namespace lumora
