#include "platform/RegistryValueCheck.h"

#include <charconv>
#include <cstdint>
#include <optional>

#include "platform/Error.h"
#include "platform/TextEncoding.h"

namespace lumora {
namespace {

bool IsStorableText(std::string_view text) {
    return IsValidUtf8(text) && text.find('\0') == std::string_view::npos;
}

std::optional<std::uint32_t> ParseDword(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

}  // namespace

bool IsRegistryStringType(std::string_view type) {
    return type == "REG_SZ" || type == "REG_EXPAND_SZ";
}

RegistryValue CheckedRegistryValue(const RegistryValue& value) {
    // Built in place: GCC 12 at -O3 misreads "\"" + text + "\"" here as overlapping copies.
    std::string shownName = DisplayableUtf8(value.name);
    shownName.insert(0, 1, '"');
    shownName.push_back('"');
    if (!IsStorableText(value.name)) {
        throw Error("Неверное имя значения реестра " + shownName);
    }
    if (!IsRegistryStringType(value.type) && value.type != "REG_DWORD") {
        throw Error("Неизвестный тип \"" + DisplayableUtf8(value.type) + "\" значения реестра " +
                    shownName + " (допустимы REG_SZ, REG_EXPAND_SZ, REG_DWORD)");
    }
    if (value.type == "REG_DWORD") {
        const auto number = ParseDword(value.data);
        if (!number) {
            throw Error("Значение реестра " + shownName +
                        " типа REG_DWORD должно быть числом от 0 "
                        "до 4294967295, а не \"" +
                        DisplayableUtf8(value.data) + "\"");
        }
        return {value.name, value.type, std::to_string(*number)};
    }
    if (!IsStorableText(value.data)) {
        throw Error("Текст значения реестра " + shownName +
                    " не в кодировке UTF-8 или содержит нулевой символ");
    }
    return value;
}

}  // namespace lumora
