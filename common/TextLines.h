#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// The lines of a schedule, state or list file, as UTF-8 text.
using TextLines = std::vector<std::string>;

// A line ends at CR LF, a lone LF or a lone CR; the last line needs no line end; an empty text has
// no lines. Lines are not trimmed.
TextLines SplitLines(std::string_view text);

// Reads a file whole: UTF-8 when it starts with the UTF-8 byte-order mark, Windows-1251 otherwise.
// Error naming the file when it cannot be read or its UTF-8 is damaged.
TextLines LoadTextLines(const std::filesystem::path& path);

// Replaces the file whole and atomically; every line, the last included, ends in CR LF. Written in
// Windows-1251 when every character fits, else as UTF-8 with a byte-order mark. Error naming the
// file for a line holding CR or LF, or when the file cannot be written (the old file then stays).
void SaveTextLines(const std::filesystem::path& path, const TextLines& lines);

}  // namespace lumora
