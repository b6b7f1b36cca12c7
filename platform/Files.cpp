#include "platform/Files.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "platform/Error.h"
#include "platform/FileReplacement.h"
#include "platform/SystemErrorText.h"
#include "platform/TextEncoding.h"

// The POSIX implementation: names on disk are bytes, taken to be UTF-8.
namespace lumora {
namespace {

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + DisplayableUtf8(path.native()) + "\"";
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::string(utf8));
}

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::string& bytes = path.native();
    if (!IsValidUtf8(bytes)) {
        throw Error("Имя файла " + Quoted(path) + " не в кодировке UTF-8");
    }
    return bytes;
}

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw Error("Не удаётся открыть файл " + Quoted(path) + ": " + SystemErrorText(errno));
    }
    std::string bytes;
    char buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.append(buffer, count);
    }
    if (std::ferror(file.get())) {
        throw Error("Не удаётся прочитать файл " + Quoted(path) + ": " + SystemErrorText(errno));
    }
    return bytes;
}

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    FileReplacement replacement(path);
    replacement.WriteAt(0, bytes.data(), bytes.size());
    replacement.Commit(Durability::Flushed);
}

bool FileExists(const std::filesystem::path& path) noexcept {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

void DeleteFileQuietly(const std::filesystem::path& path) noexcept {
    std::error_code error;
    // Only files: an (empty) folder at the path is not ours to remove.
    if (!std::filesystem::is_directory(std::filesystem::symlink_status(path, error))) {
        std::filesystem::remove(path, error);
    }
}

std::uintmax_t FileSizeOf(const std::filesystem::path& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error) {
        throw Error("Не удаётся узнать размер файла " + Quoted(path) + ": " +
                    SystemErrorText(error));
    }
    return size;
}

std::FILE* OpenFileForStdioReading(const std::filesystem::path& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        throw Error("Не удаётся открыть файл " + Quoted(path) + ": " + SystemErrorText(errno));
    }
    return file;
}

}  // namespace lumora
