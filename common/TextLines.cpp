#include "common/TextLines.h"

#include "platform/Error.h"
#include "platform/Files.h"
#include "platform/TextEncoding.h"

namespace lumora {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + PathToUtf8(path) + "\"";
}

}  // namespace

TextLines SplitLines(std::string_view text) {
    TextLines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

TextLines LoadTextLines(const std::filesystem::path& path) {
    const std::string bytes = ReadWholeFile(path);
    if (std::string_view(bytes).starts_with(kUtf8Bom)) {
        std::string_view text = std::string_view(bytes).substr(kUtf8Bom.size());
        if (!IsValidUtf8(text)) {
            throw Error("Файл " + Quoted(path) +
                        " помечен как UTF-8, но содержит недопустимые последовательности байтов");
        }
        return SplitLines(text);
    }
    return SplitLines(Windows1251ToUtf8(bytes));
}

void SaveTextLines(const std::filesystem::path& path, const TextLines& lines) {
    std::string text;
    for (const auto& line : lines) {
        if (line.find_first_of("\r\n") != std::string::npos) {
            throw Error("Строку \"" + line + "\" нельзя записать в файл " + Quoted(path) +
                        ": она содержит перевод строки");
        }
        if (!IsValidUtf8(line)) {
            throw Error("Строку нельзя записать в файл " + Quoted(path) +
                        ": она не является текстом UTF-8");
        }
        text += line;
        text += "\r\n";
    }
    // The established format is Windows-1251; a name that does not fit it must not be mangled or
    // refused, so such a file is written whole as UTF-8 and marked as such.
    if (auto legacy = Utf8ToWindows1251(text)) {
        WriteFileAtomically(path, *legacy);
    } else {
        WriteFileAtomically(path, std::string(kUtf8Bom) + text);
    }
}

}  // namespace lumora
