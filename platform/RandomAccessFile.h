#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace lumora {

// A regular file opened for reading at any offset. Every failure is an Error naming the file and
// the system's reason; something other than a regular file (a folder, a device) is refused when
// opened.
class RandomAccessFile {
public:
    explicit RandomAccessFile(const std::filesystem::path& path);
    ~RandomAccessFile();
    RandomAccessFile(const RandomAccessFile&) = delete;
    RandomAccessFile& operator=(const RandomAccessFile&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The length when the file was opened.
    std::uint64_t Size() const { return size_; }
    // Reads up to `size` bytes from `offset`; fewer (down to none) only at the end of the file.
    std::size_t ReadAt(std::uint64_t offset, void* data, std::size_t size) const;

private:
    std::filesystem::path path_;
    int descriptor_ = -1;
    std::uint64_t size_ = 0;
};

}  // namespace lumora
