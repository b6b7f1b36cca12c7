#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>

#include "platform/Error.h"
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

// Closes the descriptor unless it was handed over; the temporary file is removed with it unless
// it was renamed into place.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::filesystem::path& target) {
        std::random_device seed;
        std::mt19937_64 random(seed());
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = target;
            path_ += ".tmp-" + std::to_string(random() % 1000000000);
            descriptor_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (descriptor_ >= 0 || errno != EEXIST) {
                return;
            }
        }
    }
    ~TemporaryFile() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
        if (!renamed_) {
            ::unlink(path_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int Descriptor() const { return descriptor_; }
    const std::filesystem::path& Path() const { return path_; }
    // Closes the file; false (with errno set) when the last writes failed.
    bool Close() {
        const int result = ::close(descriptor_);
        descriptor_ = -1;
        return result == 0;
    }
    void MarkRenamed() { renamed_ = true; }

  private:
    std::filesystem::path path_;
    int descriptor_ = -1;
    bool renamed_ = false;
};

bool WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes the rename itself durable; a failure here is not worth failing the write for.
void SyncFolder(const std::filesystem::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

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
    const auto fail = [&](int errorNumber) {
        throw Error("Не удаётся записать файл " + Quoted(path) + ": " +
                    SystemErrorText(errorNumber));
    };
    if (std::error_code error; std::filesystem::is_directory(path, error)) {
        fail(EISDIR);
    }
    TemporaryFile temporary(path);
    if (temporary.Descriptor() < 0) {
        fail(errno);
    }
    // A replaced file keeps its permissions.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) {
        ::fchmod(temporary.Descriptor(), old.st_mode & 07777);
    }
    if (!WriteAll(temporary.Descriptor(), bytes) || ::fsync(temporary.Descriptor()) != 0 ||
        !temporary.Close()) {
        fail(errno);
    }
    if (::rename(temporary.Path().c_str(), path.c_str()) != 0) {
        fail(errno);
    }
    temporary.MarkRenamed();
    SyncFolder(path.has_parent_path() ? path.parent_path() : std::filesystem::path("."));
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

}  // namespace lumora
