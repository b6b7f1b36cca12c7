#include "tools/lumoreg/RegFile.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "platform/Error.h"
#include "platform/RegistryNames.h"
#include "platform/RegistryValueCheck.h"
#include "platform/TextEncoding.h"
#include "tools/lumoreg/RegKeyName.h"

namespace lumora {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kOldHeader = "REGEDIT4";
constexpr std::size_t kHexLineLimit = 80;  // as the Windows registry editor wraps hex data

// ---- writing ----

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + '"';
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string HexData(std::string_view lineStart, std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(lineStart);
    std::size_t lineLength = text.size();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(bytes[i]);
        const bool last = i + 1 == bytes.size();
        if (lineLength + (last ? 2 : 3) > kHexLineLimit - 2) {
            text += "\\\r\n  ";
            lineLength = 2;
        }
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
        if (!last) {
            text += ',';
        }
        lineLength += last ? 2 : 3;
    }
    return text;
}

std::string ValueLine(const RegistryValue& value, const std::string& keyName) {
    if (HasLineBreak(value.name)) {
        throw Error("Имя значения \"" + value.name + "\" раздела реестра \"" + keyName +
                    "\" содержит перевод строки и не может быть записано в файл .reg");
    }
    const std::string name = value.name.empty() ? "@" : Quoted(value.name);
    if (value.type == "REG_DWORD") {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%08lx", std::stoul(value.data));
        return name + "=dword:" + digits;
    }
    if (value.type == "REG_SZ" && !HasLineBreak(value.data)) {
        return name + "=" + Quoted(value.data);
    }
    const auto prefix = name + (value.type == "REG_SZ" ? "=hex(1):" : "=hex(2):");
    return HexData(prefix, Utf8ToUtf16Le(value.data) + std::string(2, '\0'));
}

void AppendSection(const Registry& registry, RegistryRoot root, const std::string& path,
                   std::string& text) {
    const auto keyName = FullRegistryKeyName(root, path);
    if (HasLineBreak(keyName)) {
        throw Error("Имя раздела реестра \"" + keyName +
                    "\" содержит перевод строки и не может быть записано в файл .reg");
    }
    text += "[" + keyName + "]\r\n";
    for (const auto& value : registry.ListValues(root, path)) {
        text += ValueLine(value, keyName) + "\r\n";
    }
    text += "\r\n";
    for (const auto& subkey : registry.ListSubkeys(root, path)) {
        AppendSection(registry, root, path.empty() ? subkey : path + "\\" + subkey, text);
    }
}

// ---- reading ----

// The text of a whole .reg file as UTF-8 lines.
std::vector<std::string> DecodeLines(std::string_view bytes, const std::filesystem::path& file) {
    std::string text;
    if (bytes.starts_with("\xFF\xFE")) {
        auto decoded = Utf16LeToUtf8(bytes.substr(2));
        if (!decoded) {
            throw Error("Файл \"" + DisplayableUtf8(file.native()) +
                        "\" повреждён: неверный текст UTF-16");
        }
        text = std::move(*decoded);
    } else {
        if (bytes.starts_with("\xEF\xBB\xBF")) {
            bytes.remove_prefix(3);
        }
        text = bytes;
    }
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (!text.empty() && (text.back() == '\r' || text.back() == '\n')) {
        lines.pop_back();  // the final line end starts no new line
    }
    return lines;
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

class Parser {
public:
    Parser(std::string_view bytes, const std::filesystem::path& file)
        : file_(file), lines_(DecodeLines(bytes, file)) {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (!IsValidUtf8(lines_[i])) {
                lineNumber_ = i + 1;
                Fail("текст не в кодировке UTF-8");
            }
        }
    }

    std::vector<RegFileChange> Parse() {
        ReadHeader();
        while (next_ < lines_.size()) {
            lineNumber_ = next_ + 1;
            const auto line = Trimmed(lines_[next_++]);
            if (line.empty() || line.front() == ';') {
                continue;
            }
            if (line.front() == '[') {
                ReadSection(line);
            } else if (line.front() == '"' || line.front() == '@') {
                ReadValue(line);
            } else {
                Fail("ожидался раздел [...] или значение \"имя\"=...");
            }
        }
        return std::move(changes_);
    }

private:
    [[noreturn]] void Fail(const std::string& reason) const {
        throw Error("Неверная строка " + std::to_string(lineNumber_) + " файла \"" +
                    DisplayableUtf8(file_.native()) + "\": " + reason);
    }

    void ReadHeader() {
        while (next_ < lines_.size()) {
            lineNumber_ = next_ + 1;
            const auto line = Trimmed(lines_[next_++]);
            if (line.empty()) {
                continue;
            }
            if (line != kHeader && line != kOldHeader) {
                Fail("ожидался заголовок \"" + std::string(kHeader) + "\"");
            }
            return;
        }
        lineNumber_ = 1;
        Fail("ожидался заголовок \"" + std::string(kHeader) + "\"");
    }

    void ReadSection(std::string_view line) {
        if (line.size() < 2 || line.back() != ']') {
            Fail("раздел должен заканчиваться на \"]\"");
        }
        auto inner = line.substr(1, line.size() - 2);
        const bool remove = inner.starts_with('-');
        if (remove) {
            inner.remove_prefix(1);
        }
        std::optional<RegKeyName> name;
        try {
            name = ParseRegKeyName(inner);
        } catch (const Error& error) {
            Fail(error.what());
        }
        if (!name) {
            Fail("неизвестный корневой раздел в \"" + std::string(inner) +
                 "\" (допустимы HKEY_LOCAL_MACHINE и HKEY_CURRENT_USER)");
        }
        if (remove && name->path.empty()) {
            Fail("корневой раздел удалить нельзя");
        }
        section_ = *name;
        sectionDeleted_ = remove;
        changes_.push_back(
            {remove ? RegFileChange::Kind::DeleteKey : RegFileChange::Kind::CreateKey,
             name->root,
             name->path,
             {}});
    }

    // A quoted text with \\ and \" inside; text starts at the opening quote. Returns the text and
    // moves text past the closing quote.
    std::string ReadQuoted(std::string_view& text) const {
        std::string result;
        for (std::size_t i = 1; i < text.size(); ++i) {
            if (text[i] == '"') {
                text.remove_prefix(i + 1);
                return result;
            }
            if (text[i] == '\\') {
                if (i + 1 == text.size() || (text[i + 1] != '\\' && text[i + 1] != '"')) {
                    Fail("после \"\\\" ожидался \"\\\" или кавычка");
                }
                ++i;
            }
            result += text[i];
        }
        Fail("нет закрывающей кавычки");
    }

    void ReadValue(std::string_view line) {
        if (!section_) {
            Fail("значение до первого раздела [...]");
        }
        if (sectionDeleted_) {
            Fail("значение в удаляемом разделе [-...]");
        }
        std::string name;
        std::string_view rest = line;
        if (rest.front() == '@') {
            rest.remove_prefix(1);
        } else {
            name = ReadQuoted(rest);
        }
        rest = Trimmed(rest);
        if (!rest.starts_with('=')) {
            Fail("после имени значения ожидался \"=\"");
        }
        rest = Trimmed(rest.substr(1));
        RegFileChange change{
            RegFileChange::Kind::WriteValue, section_->root, section_->path, {name, "REG_SZ", {}}};
        if (rest == "-") {
            change.kind = RegFileChange::Kind::DeleteValue;
        } else if (rest.starts_with('"')) {
            change.value.data = ReadQuoted(rest);
            if (!Trimmed(rest).empty()) {
                Fail("лишний текст после закрывающей кавычки");
            }
        } else if (rest.starts_with("dword:")) {
            change.value.type = "REG_DWORD";
            change.value.data = DwordText(rest.substr(6));
        } else if (rest.starts_with("hex(1):") || rest.starts_with("hex(2):")) {
            change.value.type = rest[4] == '1' ? "REG_SZ" : "REG_EXPAND_SZ";
            change.value.data = HexText(WithContinuations(rest.substr(7)));
        } else {
            Fail("тип значения не поддерживается (допустимы строка, dword:, hex(1):, hex(2):)");
        }
        if (change.kind == RegFileChange::Kind::WriteValue) {
            try {
                change.value = CheckedRegistryValue(change.value);
            } catch (const Error& error) {
                Fail(error.what());
            }
        } else if (!IsValidUtf8(name)) {
            Fail("имя значения не в кодировке UTF-8");
        }
        changes_.push_back(std::move(change));
    }

    std::string DwordText(std::string_view digits) const {
        std::uint32_t number = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), number, 16);
        if (digits.empty() || digits.size() > 8 || error != std::errc{} ||
            end != digits.data() + digits.size()) {
            Fail("после \"dword:\" ожидалось от 1 до 8 шестнадцатеричных цифр");
        }
        return std::to_string(number);
    }

    // Hex data may go on over further lines, each but the last ending in "\".
    std::string WithContinuations(std::string_view first) {
        std::string data(Trimmed(first));
        while (!data.empty() && data.back() == '\\') {
            data.pop_back();
            if (next_ >= lines_.size()) {
                Fail("данные обрываются на \"\\\" в конце файла");
            }
            data += Trimmed(lines_[next_++]);
        }
        return data;
    }

    std::string HexText(std::string_view list) const {
        std::string bytes;
        while (!Trimmed(list).empty()) {
            const auto comma = list.find(',');
            const auto token = Trimmed(list.substr(0, comma));
            std::uint8_t byte = 0;
            const auto [end, error] =
                std::from_chars(token.data(), token.data() + token.size(), byte, 16);
            if (token.size() != 2 || error != std::errc{} || end != token.data() + 2) {
                Fail("ожидались байты вида 4c,00,...");
            }
            bytes += static_cast<char>(byte);
            if (comma == std::string_view::npos) {
                break;
            }
            list.remove_prefix(comma + 1);
            if (Trimmed(list).empty()) {
                Fail("после запятой ожидался байт");
            }
        }
        if (bytes.size() >= 2 && bytes.ends_with(std::string_view("\0\0", 2))) {
            bytes.resize(bytes.size() - 2);  // the terminating null character
        }
        auto text = Utf16LeToUtf8(bytes);
        if (!text) {
            Fail("данные не являются текстом UTF-16");
        }
        return *text;
    }

    std::filesystem::path file_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    std::size_t lineNumber_ = 0;
    std::optional<RegKeyName> section_;
    bool sectionDeleted_ = false;
    std::vector<RegFileChange> changes_;
};

}  // namespace

std::string FormatRegFile(const Registry& registry, RegistryRoot root, std::string_view key) {
    std::string text = std::string(kHeader) + "\r\n\r\n";
    AppendSection(registry, root, registry.StoredKeyPath(root, key), text);
    return text;
}

std::vector<RegFileChange> ParseRegFile(std::string_view bytes, const std::filesystem::path& file) {
    return Parser(bytes, file).Parse();
}

void ApplyRegFile(Registry& registry, const std::vector<RegFileChange>& changes) {
    for (const auto& change : changes) {
        switch (change.kind) {
            case RegFileChange::Kind::CreateKey:
                registry.CreateKey(change.root, change.key);
                break;
            case RegFileChange::Kind::DeleteKey:
                registry.DeleteKey(change.root, change.key);
                break;
            case RegFileChange::Kind::WriteValue:
                registry.WriteValue(change.root, change.key, change.value);
                break;
            case RegFileChange::Kind::DeleteValue:
                registry.DeleteValue(change.root, change.key, change.value.name);
                break;
        }
    }
}

}  // namespace lumora
