#pragma once

#include <string>
#include <string_view>

namespace lumora {

// Throws Error naming the path when it holds "|", CR or LF: the line formats cannot hold it.
void CheckPathFitsLineFormats(std::string_view path);

// path "|" letter text. Error (CheckPathFitsLineFormats) for a path the line cannot hold.
std::string FormatScheduleLine(std::string_view path, std::string_view letterText);

struct ScheduleEntry {
    std::string path;    // the text before the first "|"; empty when there is none
    std::string letter;  // the last character of the line (one UTF-8 character); empty line: ""
};

ScheduleEntry ParseScheduleLine(std::string_view line);

}  // namespace lumora
