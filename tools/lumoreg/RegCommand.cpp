#include "tools/lumoreg/RegCommand.h"

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/RegistryNames.h"
#include "platform/RegistryValueCheck.h"
#include "tools/lumoreg/RegFile.h"
#include "tools/lumoreg/RegKeyName.h"

namespace lumora {
namespace {

constexpr std::string_view kUsage =
    "Использование:\n"
    "  lumoreg query  РАЗДЕЛ [/v ИМЯ | /ve]\n"
    "  lumoreg add    РАЗДЕЛ [/v ИМЯ | /ve] [/t REG_SZ|REG_EXPAND_SZ|REG_DWORD] [/d ДАННЫЕ] [/f]\n"
    "  lumoreg delete РАЗДЕЛ [/v ИМЯ | /ve] [/f]\n"
    "  lumoreg export РАЗДЕЛ ФАЙЛ [/y]\n"
    "  lumoreg import ФАЙЛ\n"
    "РАЗДЕЛ: HKLM\\путь или HKCU\\путь (или HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER).\n"
    "/ve - значение по умолчанию. Файл .reg пишется в UTF-8; import читает UTF-8 и UTF-16LE.\n";

constexpr std::string_view kDone = "Операция успешно завершена.\n";
constexpr std::string_view kDefaultValueName = "(По умолчанию)";

// Bad usage: exit status 2 with the usage text.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The key or value named does not exist: exit status 1.
class NotFound : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Verb { Query, Add, Delete, Export, Import };

struct Command {
    Verb verb{};
    RegKeyName key{RegistryRoot::LocalMachine, {}};
    std::string keyText;                   // as the user wrote it, for messages
    std::optional<std::string> valueName;  // /v NAME or /ve
    std::optional<std::string> type;       // /t
    std::optional<std::string> data;       // /d
    std::string file;                      // export and import
};

std::string Lowercase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

std::string Uppercase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

Verb ParseVerb(std::string_view word) {
    const auto verb = Lowercase(word);
    if (verb == "query")
        return Verb::Query;
    if (verb == "add")
        return Verb::Add;
    if (verb == "delete")
        return Verb::Delete;
    if (verb == "export")
        return Verb::Export;
    if (verb == "import")
        return Verb::Import;
    throw UsageError("неизвестная команда \"" + std::string(word) + "\"");
}

RegKeyName ParseKey(const std::string& text) {
    std::optional<RegKeyName> key;
    try {
        key = ParseRegKeyName(text);
    } catch (const Error& error) {
        throw UsageError(error.what());
    }
    if (!key) {
        throw UsageError("неверный раздел \"" + text + "\": он должен начинаться с HKLM или HKCU");
    }
    return *key;
}

Command ParseCommand(const std::vector<std::string>& args) {
    if (args.empty()) {
        throw UsageError("не указана команда");
    }
    Command command;
    command.verb = ParseVerb(args[0]);
    std::size_t next = 1;
    const auto take = [&](std::string_view what) -> const std::string& {
        if (next >= args.size()) {
            throw UsageError("не указан " + std::string(what));
        }
        return args[next++];
    };
    if (command.verb == Verb::Import) {
        command.file = take("файл");
    } else {
        command.keyText = take("раздел");
        command.key = ParseKey(command.keyText);
        if (command.verb == Verb::Export) {
            command.file = take("файл");
        }
    }
    const bool valueOptions = command.verb != Verb::Export && command.verb != Verb::Import;
    while (next < args.size()) {
        const auto& word = args[next++];
        auto option = Lowercase(word);
        if (option.size() > 1 && option[0] == '-') {
            option[0] = '/';
        }
        const auto setOnce = [&](std::optional<std::string>& slot, std::string value) {
            if (slot) {
                throw UsageError("параметр \"" + word + "\" указан дважды");
            }
            slot = std::move(value);
        };
        if (valueOptions && option == "/v") {
            setOnce(command.valueName, take("имя значения после /v"));
        } else if (valueOptions && option == "/ve") {
            setOnce(command.valueName, "");
        } else if (command.verb == Verb::Add && option == "/t") {
            setOnce(command.type, take("тип после /t"));
        } else if (command.verb == Verb::Add && option == "/d") {
            setOnce(command.data, take("текст после /d"));
        } else if ((command.verb == Verb::Add || command.verb == Verb::Delete) && option == "/f") {
            // We never ask for confirmation, so forcing changes nothing.
        } else if (command.verb == Verb::Export && option == "/y") {
            // Export always replaces the file.
        } else {
            throw UsageError("неизвестный параметр \"" + word + "\"");
        }
    }
    if (command.type) {
        *command.type = Uppercase(*command.type);
        if (*command.type != "REG_SZ" && *command.type != "REG_EXPAND_SZ" &&
            *command.type != "REG_DWORD") {
            throw UsageError("неизвестный тип \"" + *command.type + "\"");
        }
    }
    // As with reg: /t or /d without a name write the default value.
    if (command.verb == Verb::Add && !command.valueName && (command.type || command.data)) {
        command.valueName = "";
    }
    return command;
}

std::string FullName(const Registry& registry, const Command& command) {
    return FullRegistryKeyName(command.key.root,
                               registry.StoredKeyPath(command.key.root, command.key.path));
}

std::string ShownData(const RegistryValue& value) {
    if (value.type == "REG_DWORD") {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%lx", std::stoul(value.data));
        return hex;
    }
    return value.data;
}

std::string ValueLine(const RegistryValue& value) {
    const std::string_view name = value.name.empty() ? kDefaultValueName : value.name;
    return "    " + std::string(name) + "    " + value.type + "    " + ShownData(value) + "\n";
}

void RequireKey(const Registry& registry, const Command& command) {
    if (!registry.KeyExists(command.key.root, command.key.path)) {
        throw NotFound("раздел реестра \"" + command.keyText + "\" не найден");
    }
}

std::string ValueNotFound(const Command& command) {
    const auto& name = *command.valueName;
    return "значение " + (name.empty() ? std::string(kDefaultValueName) : "\"" + name + "\"") +
           " в разделе реестра \"" + command.keyText + "\" не найдено";
}

void Query(const Registry& registry, const Command& command, std::ostream& out) {
    RequireKey(registry, command);
    const auto fullName = FullName(registry, command);
    const auto values = registry.ListValues(command.key.root, command.key.path);
    if (command.valueName) {
        const auto folded = FoldRegistryName(*command.valueName);
        for (const auto& value : values) {
            if (FoldRegistryName(value.name) == folded) {
                out << '\n' << fullName << '\n' << ValueLine(value);
                return;
            }
        }
        throw NotFound(ValueNotFound(command));
    }
    out << '\n' << fullName << '\n';
    for (const auto& value : values) {
        out << ValueLine(value);
    }
    const auto subkeys = registry.ListSubkeys(command.key.root, command.key.path);
    if (!subkeys.empty()) {
        out << '\n';
    }
    for (const auto& subkey : subkeys) {
        out << fullName << '\\' << subkey << '\n';
    }
}

void Add(Registry& registry, const Command& command) {
    if (!command.valueName) {
        registry.CreateKey(command.key.root, command.key.path);
        return;
    }
    // Checked before the key is created, so a bad value leaves nothing behind.
    const auto value = CheckedRegistryValue(
        {*command.valueName, command.type.value_or("REG_SZ"), command.data.value_or("")});
    registry.CreateKey(command.key.root, command.key.path);
    registry.WriteValue(command.key.root, command.key.path, value);
}

void Delete(Registry& registry, const Command& command) {
    if (command.valueName) {
        RequireKey(registry, command);
        if (!registry.DeleteValue(command.key.root, command.key.path, *command.valueName)) {
            throw NotFound(ValueNotFound(command));
        }
        return;
    }
    if (!registry.DeleteKey(command.key.root, command.key.path)) {
        throw NotFound("раздел реестра \"" + command.keyText + "\" не найден");
    }
}

void Export(const Registry& registry, const Command& command) {
    RequireKey(registry, command);
    WriteFileAtomically(PathFromUtf8(command.file),
                        FormatRegFile(registry, command.key.root, command.key.path));
}

void Import(Registry& registry, const Command& command) {
    const auto file = PathFromUtf8(command.file);
    // The whole file is read and checked before the first change.
    const auto changes = ParseRegFile(ReadWholeFile(file), file);
    ApplyRegFile(registry, changes);
}

void Run(const Command& command, std::ostream& out) {
    const auto registry = OpenRegistry();
    switch (command.verb) {
        case Verb::Query:
            Query(*registry, command, out);
            return;  // the listing is the answer; no "done" line
        case Verb::Add:
            Add(*registry, command);
            break;
        case Verb::Delete:
            Delete(*registry, command);
            break;
        case Verb::Export:
            Export(*registry, command);
            break;
        case Verb::Import:
            Import(*registry, command);
            break;
    }
    out << kDone;
}

}  // namespace

int RunRegCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 &&
        (args[0] == "/?" || args[0] == "-?" || args[0] == "-h" || args[0] == "--help")) {
        out << kUsage;
        return 0;
    }
    try {
        Run(ParseCommand(args), out);
        return 0;
    } catch (const UsageError& error) {
        err << "Ошибка: " << error.what() << '\n' << kUsage;
        return 2;
    } catch (const NotFound& error) {
        err << "Ошибка: " << error.what() << '\n';
        return 1;
    } catch (const std::exception& error) {
        err << "Ошибка: " << error.what() << '\n';
        return 1;
    }
}

}  // namespace lumora
