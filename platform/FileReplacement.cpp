#include "platform/FileReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>

#include "platform/Error.h"
#include "platform/SystemErrorText.h"
#include "platform/TextEncoding.h"

// The POSIX implementation.
namespace lumora {
namespace {

// Makes the rename itself durable; a failure here is not worth failing the write for.
void SyncFolder(const std::filesystem::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

}  // namespace

FileReplacement::FileReplacement(const std::filesystem::path& target) : target_(target) {
    if (std::error_code error; std::filesystem::is_directory(target, error)) {
        Fail(EISDIR);  // the rename would fail only at the end, after all the writing
    }
    // A hidden name, so that a folder being written into shows nothing half-made.
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100 && descriptor_ < 0; ++attempt) {
        temporary_ = folder / ("." + target.filename().string() + ".tmp-" +
                               std::to_string(random() % 1000000000));
        descriptor_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ < 0 && errno != EEXIST) {
            Fail(errno);
        }
    }
    if (descriptor_ < 0) {
        Fail(EEXIST);
    }
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        ::fchmod(descriptor_, old.st_mode & 07777);
    }
}

FileReplacement::~FileReplacement() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
    if (!committed_ && !temporary_.empty()) {
        ::unlink(temporary_.c_str());
    }
}

void FileReplacement::Resize(std::uint64_t size) {
    if (::ftruncate(descriptor_, static_cast<off_t>(size)) != 0) {
        Fail(errno);
    }
}

void FileReplacement::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        const ssize_t written = ::pwrite(descriptor_, bytes, size, static_cast<off_t>(offset));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail(errno);
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
        offset += static_cast<std::uint64_t>(written);
    }
}

void FileReplacement::Commit(Durability durability) {
    if (descriptor_ < 0) {
        Fail(EBADF);
    }
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (durability == Durability::Flushed && ::fsync(descriptor) != 0) {
        const int errorNumber = errno;
        ::close(descriptor);
        Fail(errorNumber);
    }
    if (::close(descriptor) != 0) {  // the last delayed writes may fail only here
        Fail(errno);
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        Fail(errno);
    }
    committed_ = true;
    if (durability == Durability::Flushed) {
        SyncFolder(target_.has_parent_path() ? target_.parent_path() : ".");
    }
}

void FileReplacement::Fail(int errorNumber) const {
    throw Error("Не удаётся записать файл \"" + DisplayableUtf8(target_.native()) +
                "\": " + SystemErrorText(errorNumber));
}

}  // namespace lumora
