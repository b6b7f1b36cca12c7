#include "common/BmpWriter.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "common/BmpFormat.h"
#include "platform/Error.h"
#include "platform/FileReplacement.h"

namespace lumora {
namespace {

constexpr std::uint32_t kHeadersBytes = bmp::kFileHeaderBytes + bmp::kInfoHeaderBytes;

std::array<std::uint8_t, kHeadersBytes> Headers(std::int32_t width, std::int32_t height,
                                                std::uint32_t imageBytes) {
    std::array<std::uint8_t, kHeadersBytes> bytes{};
    bytes[0] = 'B';
    bytes[1] = 'M';
    bmp::StoreU32(&bytes[2], kHeadersBytes + imageBytes);
    bmp::StoreU32(&bytes[10], kHeadersBytes);
    std::uint8_t* info = &bytes[bmp::kFileHeaderBytes];
    bmp::StoreU32(info, bmp::kInfoHeaderBytes);
    bmp::StoreU32(info + 4, static_cast<std::uint32_t>(width));
    bmp::StoreU32(info + 8, static_cast<std::uint32_t>(height));  // positive: bottom-up
    bmp::StoreU16(info + 12, 1);                                  // planes
    bmp::StoreU16(info + 14, 24);                                 // bits per pixel
    bmp::StoreU32(info + 16, bmp::kCompressionRgb);
    bmp::StoreU32(info + 20, imageBytes);
    bmp::StoreU32(info + 24, bmp::kPixelsPerMetre96Dpi);
    bmp::StoreU32(info + 28, bmp::kPixelsPerMetre96Dpi);
    return bytes;  // no palette: colours used and important stay 0
}

}  // namespace

struct BmpRowWriter::Impl {
    Impl(const std::filesystem::path& path, std::int32_t width, std::int32_t height)
        : file(path),
          width(width),
          height(height),
          stride(static_cast<std::size_t>(bmp::RowStride(static_cast<std::uint64_t>(width), 24))),
          row(stride, 0) {}

    FileReplacement file;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::size_t stride = 0;
    std::vector<std::uint8_t> row;  // one padded row; the padding stays zero
    bool closed = false;            // Commit() was called, whether or not it succeeded

    void CheckOpen() const {
        if (closed) {
            throw Error("Файл \"" + file.Target().string() + "\" уже записан или закрыт");
        }
    }
};

BmpRowWriter::BmpRowWriter(const std::filesystem::path& path, std::int32_t width,
                           std::int32_t height) {
    CheckPictureSize(width, height, path.string());
    impl_ = std::make_unique<Impl>(path, width, height);
    const std::uint64_t imageBytes = static_cast<std::uint64_t>(impl_->stride) * height;
    // Sized at once: rows may come in any order, and a full disk shows up here.
    impl_->file.Resize(kHeadersBytes + imageBytes);
    const auto headers = Headers(width, height, static_cast<std::uint32_t>(imageBytes));
    impl_->file.WriteAt(0, headers.data(), headers.size());
}

BmpRowWriter::~BmpRowWriter() = default;

void BmpRowWriter::WriteRow(std::int32_t y, const std::uint8_t* bgr) {
    Impl& impl = *impl_;
    impl.CheckOpen();
    if (y < 0 || y >= impl.height) {
        throw Error("Строка " + std::to_string(y) + " вне рисунка высотой " +
                    std::to_string(impl.height) + " в файле \"" + impl.file.Target().string() +
                    "\"");
    }
    std::memcpy(impl.row.data(), bgr, static_cast<std::size_t>(impl.width) * 3);
    const std::uint64_t offset =
        kHeadersBytes + static_cast<std::uint64_t>(impl.height - 1 - y) * impl.stride;
    impl.file.WriteAt(offset, impl.row.data(), impl.row.size());
}

void BmpRowWriter::Commit() {
    impl_->CheckOpen();
    impl_->closed = true;
    // A bitmap written here is a wallpaper derived from a source picture and is simply made again
    // when lost; the state file, which is flushed, is what must survive a crash. Flushing several
    // megabytes at every logon would cost more than decoding the picture.
    impl_->file.Commit(Durability::Disposable);
}

void WriteBmp(const std::filesystem::path& path, const RasterBitmap& bitmap) {
    BmpRowWriter writer(path, bitmap.Width(), bitmap.Height());
    for (std::int32_t y = 0; y < bitmap.Height(); ++y) {
        writer.WriteRow(y, bitmap.Row(y));
    }
    writer.Commit();
}

}  // namespace lumora
