#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace lumora {

// Paths travel through the system as UTF-8 text (schedule, state and list files, the registry);
// these convert at the edge. PathToUtf8 throws Error for a name that is not valid UTF-8 on disk.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// Reads the whole file; Error naming the file when it cannot be opened or read.
std::string ReadWholeFile(const std::filesystem::path& path);

// Writes the whole file through a temporary file in the same folder, flushed and renamed over the
// old one, so that a crash never leaves half a file. Error naming the file on failure; the old
// file is then untouched.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// A regular file (or a link to one) exists at the path.
bool FileExists(const std::filesystem::path& path) noexcept;

// Deletes a file; the result is not looked at (a file already gone is no error).
void DeleteFileQuietly(const std::filesystem::path& path) noexcept;

// The file's length in bytes; Error naming the file when it cannot be read.
std::uintmax_t FileSizeOf(const std::filesystem::path& path);

// Opens a file for reading by a C library that reads through stdio (libjpeg). The caller closes
// it. Error naming the file when it cannot be opened.
std::FILE* OpenFileForStdioReading(const std::filesystem::path& path);

}  // namespace lumora
