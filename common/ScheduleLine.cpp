#include "common/ScheduleLine.h"

#include "platform/Error.h"

namespace lumora {

void CheckPathFitsLineFormats(std::string_view path) {
    if (path.find_first_of("|\r\n") != std::string_view::npos) {
        throw Error("Путь \"" + std::string(path) +
                    "\" нельзя сохранить в списке: он содержит символ «|» или перевод строки");
    }
}

std::string FormatScheduleLine(std::string_view path, std::string_view letterText) {
    CheckPathFitsLineFormats(path);
    return std::string(path) + "|" + std::string(letterText);
}

ScheduleEntry ParseScheduleLine(std::string_view line) {
    ScheduleEntry entry;
    const auto bar = line.find('|');
    if (bar != std::string_view::npos) {
        entry.path = std::string(line.substr(0, bar));
    }
    if (!line.empty()) {
        // The last character, not the last byte: step back over UTF-8 continuation bytes.
        std::size_t start = line.size() - 1;
        while (start > 0 && (static_cast<unsigned char>(line[start]) & 0xC0) == 0x80) {
            --start;
        }
        entry.letter = std::string(line.substr(start));
    }
    return entry;
}

}  // namespace lumora
