#include "common/BmpWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "common/BmpFormat.h"
#include "platform/Error.h"
#include "platform/SystemErrorText.h"

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
    std::filesystem::path path;
    std::filesystem::path temporary;
    int file = -1;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::size_t stride = 0;
    std::vector<std::uint8_t> row;  // one padded row; the padding stays zero
    bool committed = false;

    [[noreturn]] void Fail(int errorNumber) const {
        throw Error("Не удаётся записать файл \"" + path.string() +
                    "\": " + SystemErrorText(errorNumber));
    }

    void WriteAt(const std::uint8_t* bytes, std::size_t count, std::uint64_t offset) const {
        while (count > 0) {
            const ssize_t written = ::pwrite(file, bytes, count, static_cast<off_t>(offset));
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                Fail(errno);
            }
            bytes += written;
            count -= static_cast<std::size_t>(written);
            offset += static_cast<std::uint64_t>(written);
        }
    }

    void Discard() noexcept {
        if (file >= 0) {
            ::close(file);
            file = -1;
        }
        if (!temporary.empty()) {
            ::unlink(temporary.c_str());
        }
    }
};

BmpRowWriter::BmpRowWriter(const std::filesystem::path& path, std::int32_t width,
                           std::int32_t height)
    : impl_(std::make_unique<Impl>()) {
    CheckPictureSize(width, height, path.string());
    Impl& impl = *impl_;
    impl.path = path;
    impl.width = width;
    impl.height = height;
    impl.stride = static_cast<std::size_t>(bmp::RowStride(static_cast<std::uint64_t>(width), 24));
    impl.row.assign(impl.stride, 0);

    // The temporary file lies beside the target, so that the final rename stays in one file
    // system and is atomic.
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::string name = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    impl.file = ::mkstemp(name.data());
    if (impl.file < 0) {
        impl.Fail(errno);
    }
    impl.temporary = name;
    try {
        if (::fchmod(impl.file, 0644) != 0) {  // mkstemp makes it private to us
            impl.Fail(errno);
        }
        const std::uint64_t imageBytes = static_cast<std::uint64_t>(impl.stride) * height;
        // Sized at once: rows may come in any order, and a full disk shows up here.
        if (::ftruncate(impl.file, static_cast<off_t>(kHeadersBytes + imageBytes)) != 0) {
            impl.Fail(errno);
        }
        const auto headers = Headers(width, height, static_cast<std::uint32_t>(imageBytes));
        impl.WriteAt(headers.data(), headers.size(), 0);
    } catch (...) {
        impl.Discard();
        throw;
    }
}

BmpRowWriter::~BmpRowWriter() {
    if (!impl_->committed) {
        impl_->Discard();
    }
}

void BmpRowWriter::WriteRow(std::int32_t y, const std::uint8_t* bgr) {
    Impl& impl = *impl_;
    if (impl.committed || impl.file < 0) {
        throw Error("Файл \"" + impl.path.string() + "\" уже записан или закрыт");
    }
    if (y < 0 || y >= impl.height) {
        throw Error("Строка " + std::to_string(y) + " вне рисунка высотой " +
                    std::to_string(impl.height) + " в файле \"" + impl.path.string() + "\"");
    }
    std::memcpy(impl.row.data(), bgr, static_cast<std::size_t>(impl.width) * 3);
    const std::uint64_t offset =
        kHeadersBytes + static_cast<std::uint64_t>(impl.height - 1 - y) * impl.stride;
    impl.WriteAt(impl.row.data(), impl.row.size(), offset);
}

void BmpRowWriter::Commit() {
    Impl& impl = *impl_;
    if (impl.committed || impl.file < 0) {
        throw Error("Файл \"" + impl.path.string() + "\" уже записан или закрыт");
    }
    if (::fsync(impl.file) != 0) {
        impl.Fail(errno);
    }
    const int file = impl.file;
    impl.file = -1;
    if (::close(file) != 0) {
        impl.Fail(errno);
    }
    if (::rename(impl.temporary.c_str(), impl.path.c_str()) != 0) {
        impl.Fail(errno);
    }
    impl.committed = true;
    // Make the rename itself durable; a folder that cannot be opened or synced costs nothing more.
    const std::filesystem::path folder =
        impl.path.has_parent_path() ? impl.path.parent_path() : ".";
    const int folderFile = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderFile >= 0) {
        ::fsync(folderFile);
        ::close(folderFile);
    }
}

void WriteBmp(const std::filesystem::path& path, const RasterBitmap& bitmap) {
    BmpRowWriter writer(path, bitmap.Width(), bitmap.Height());
    for (std::int32_t y = 0; y < bitmap.Height(); ++y) {
        writer.WriteRow(y, bitmap.Row(y));
    }
    writer.Commit();
}

}  // namespace lumora
