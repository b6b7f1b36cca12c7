#include "tools/lumoreg/RegKeyName.h"

#include <vector>

#include "platform/Error.h"
#include "platform/RegistryNames.h"
#include "platform/TextEncoding.h"

namespace lumora {

std::optional<RegKeyName> ParseRegKeyName(std::string_view text) {
    const auto separator = text.find('\\');
    const auto root = FoldRegistryName(text.substr(0, separator));
    RegKeyName name{RegistryRoot::LocalMachine, {}};
    if (root == "hklm" || root == "hkey_local_machine") {
        name.root = RegistryRoot::LocalMachine;
    } else if (root == "hkcu" || root == "hkey_current_user") {
        name.root = RegistryRoot::CurrentUser;
    } else {
        return std::nullopt;
    }
    if (separator == std::string_view::npos) {
        return name;
    }
    std::vector<std::string> parts;
    try {
        parts = SplitRegistryKeyPath(text.substr(separator));
    } catch (const Error&) {
        throw Error("Неверный раздел реестра \"" + DisplayableUtf8(text) +
                    "\": пустое имя раздела");
    }
    for (const auto& part : parts) {
        if (!name.path.empty()) {
            name.path += '\\';
        }
        name.path += part;
    }
    return name;
}

}  // namespace lumora
