#include "platform/RandomAccessFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/Error.h"
#include "platform/SystemErrorText.h"
#include "platform/TextEncoding.h"

// The POSIX implementation.
namespace lumora {
namespace {

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + DisplayableUtf8(path.native()) + "\"";
}

}  // namespace

RandomAccessFile::RandomAccessFile(const std::filesystem::path& path) : path_(path) {
    descriptor_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor_ < 0) {
        throw Error("Не удаётся открыть файл " + Quoted(path) + ": " + SystemErrorText(errno));
    }
    struct stat status {};
    const bool known = ::fstat(descriptor_, &status) == 0;
    if (!known || !S_ISREG(status.st_mode)) {
        const std::string reason = known ? "это не обычный файл" : SystemErrorText(errno);
        ::close(descriptor_);
        throw Error("Не удаётся открыть файл " + Quoted(path) + ": " + reason);
    }
    size_ = static_cast<std::uint64_t>(status.st_size);
}

RandomAccessFile::~RandomAccessFile() {
    ::close(descriptor_);
}

std::size_t RandomAccessFile::ReadAt(std::uint64_t offset, void* data, std::size_t size) const {
    auto* bytes = static_cast<std::uint8_t*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t count =
            ::pread(descriptor_, bytes + done, size - done, static_cast<off_t>(offset + done));
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw Error("Не удаётся прочитать файл " + Quoted(path_) + ": " +
                        SystemErrorText(errno));
        }
        if (count == 0) {
            break;  // the end of the file
        }
        done += static_cast<std::size_t>(count);
    }
    return done;
}

}  // namespace lumora
