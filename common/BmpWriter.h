#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include "common/RasterBitmap.h"

namespace lumora {

// Writes a 24-bit bottom-up Windows bitmap, whole and atomically (temporary file, renamed at the
// end). Error naming the file when it cannot be written; nothing is then left at the path.
// Bitmaps are derived files that are made again when lost, so they are not flushed to the disk.
void WriteBmp(const std::filesystem::path& path, const RasterBitmap& bitmap);

// Writes a 24-bit bitmap row by row, in any order, without holding the picture: for pictures that
// are produced a band at a time. The file appears at its path only when Commit() succeeds; a writer
// destroyed without Commit() leaves nothing behind.
class BmpRowWriter {
public:
    BmpRowWriter(const std::filesystem::path& path, std::int32_t width, std::int32_t height);
    ~BmpRowWriter();
    BmpRowWriter(const BmpRowWriter&) = delete;
    BmpRowWriter& operator=(const BmpRowWriter&) = delete;

    // Row y counted from the top; width * 3 bytes of blue, green, red.
    void WriteRow(std::int32_t y, const std::uint8_t* bgr);
    void Commit();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace lumora
