#include "platform/RegistryNames.h"

#include <cstdint>

#include "platform/Error.h"
#include "platform/TextEncoding.h"

namespace lumora {
namespace {

// Lower case of the letters whose cases both lie in U+0080..U+07FF (two-byte UTF-8), so folding
// never changes a character's encoded length.
char32_t FoldTwoByteCodePoint(char32_t c) {
    const bool even = c % 2 == 0;
    if ((c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) ||
        (c >= 0x0391 && c <= 0x03AB && c != 0x03A2) || (c >= 0x0410 && c <= 0x042F)) {
        return c + 0x20;
    }
    if (c >= 0x0400 && c <= 0x040F) {
        return c + 0x50;
    }
    if (c == 0x0178) {
        return 0x00FF;
    }
    if (c == 0x0386) {
        return 0x03AC;
    }
    if (c >= 0x0388 && c <= 0x038A) {
        return c + 0x25;
    }
    if (c == 0x038C) {
        return 0x03CC;
    }
    if (c == 0x038E || c == 0x038F) {
        return c + 0x3F;
    }
    if (c == 0x04C0) {
        return 0x04CF;
    }
    const bool pairedEvenUpper = (c >= 0x0100 && c <= 0x0137) || (c >= 0x014A && c <= 0x0177) ||
                                 (c >= 0x0460 && c <= 0x0481) || (c >= 0x048A && c <= 0x04BF) ||
                                 (c >= 0x04D0 && c <= 0x052F);
    const bool pairedOddUpper = (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E) ||
                                (c >= 0x04C1 && c <= 0x04CE);
    if ((pairedEvenUpper && even) || (pairedOddUpper && !even)) {
        return c + 1;
    }
    return c;
}

}  // namespace

std::string_view RegistryRootName(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

std::string FullRegistryKeyName(RegistryRoot root, std::string_view key) {
    std::string name(RegistryRootName(root));
    if (!key.empty() && key.front() == '\\') {
        key.remove_prefix(1);
    }
    if (!key.empty()) {
        name += '\\';
        name += key;
    }
    return name;
}

std::string FoldRegistryName(std::string_view name) {
    std::string folded;
    folded.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(name[i]);
        if (byte >= 'A' && byte <= 'Z') {
            folded += static_cast<char>(byte + ('a' - 'A'));
            continue;
        }
        const bool twoByteLead = (byte & 0xE0) == 0xC0 && byte >= 0xC2;
        if (twoByteLead && i + 1 < name.size() &&
            (static_cast<std::uint8_t>(name[i + 1]) & 0xC0) == 0x80) {
            const char32_t c = FoldTwoByteCodePoint(
                (char32_t{byte & 0x1Fu} << 6) | (static_cast<std::uint8_t>(name[i + 1]) & 0x3Fu));
            folded += static_cast<char>(0xC0 | (c >> 6));
            folded += static_cast<char>(0x80 | (c & 0x3F));
            ++i;
            continue;
        }
        folded += static_cast<char>(byte);
    }
    return folded;
}

std::vector<std::string> SplitRegistryKeyPath(std::string_view key) {
    std::string_view rest = key;
    if (!rest.empty() && rest.front() == '\\') {
        rest.remove_prefix(1);
    }
    if (!rest.empty() && rest.back() == '\\') {
        rest.remove_suffix(1);
    }
    std::vector<std::string> names;
    if (rest.empty()) {
        return names;
    }
    for (;;) {
        const auto separator = rest.find('\\');
        const auto name = rest.substr(0, separator);
        if (name.empty()) {
            throw Error("Неверный путь раздела реестра \"" + DisplayableUtf8(key) +
                        "\": пустое имя раздела");
        }
        names.emplace_back(name);
        if (separator == std::string_view::npos) {
            return names;
        }
        rest.remove_prefix(separator + 1);
    }
}

}  // namespace lumora
