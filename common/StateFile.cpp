#include "common/StateFile.h"

#include "common/IntegerText.h"

namespace lumora {

namespace {
constexpr std::string_view kDeleteLine = "delete file";
}

std::optional<std::string> ReadDeleteMark(const TextLines& stateLines) {
    if (stateLines.size() < 2 || stateLines[1] != kDeleteLine) {
        return std::nullopt;
    }
    // Writers never write line 2 without line 3; a hand-made file that does has nothing to delete.
    if (stateLines.size() < 3) {
        return std::nullopt;
    }
    return stateLines[2];
}

std::optional<std::int32_t> ReadActiveIndex(const TextLines& stateLines) {
    if (stateLines.empty() || stateLines[0].find("active") == std::string::npos) {
        return std::nullopt;
    }
    const std::string& line = stateLines[0];
    // Without "=" the whole line is taken as the index text, and it is no whole number.
    const auto equals = line.find('=');
    const auto indexStart = equals == std::string::npos ? 0 : equals + 1;
    return ParseInt32(std::string_view(line).substr(indexStart));
}

TextLines FormatStateLines(std::int32_t activeIndex,
                           const std::optional<std::string>& generatedBitmap) {
    TextLines lines{"active=" + std::to_string(activeIndex)};
    if (generatedBitmap) {
        lines.emplace_back(kDeleteLine);
        lines.push_back(*generatedBitmap);
    }
    return lines;
}

}  // namespace lumora
