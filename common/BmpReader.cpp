#include "common/BmpReader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string>
#include <vector>

#include "common/BmpFormat.h"
#include "platform/Error.h"
#include "platform/RandomAccessFile.h"

namespace lumora {
namespace {

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

[[noreturn]] void Damaged(const std::filesystem::path& path, const std::string& reason) {
    throw Error("Файл " + Quoted(path) + " не является правильным рисунком BMP: " + reason);
}

// Reads a file through a buffer of its own. Every read is checked against the end of the file, so
// no offset taken from a damaged header can reach outside the file's bytes.
class FileReader {
public:
    explicit FileReader(const std::filesystem::path& path) : file_(path) {
        buffer_.resize(kBufferBytes);
    }

    const std::filesystem::path& Path() const { return file_.Path(); }
    std::uint64_t Size() const { return file_.Size(); }
    std::uint64_t Offset() const { return bufferStart_ + position_; }

    void Seek(std::uint64_t offset) {
        if (offset >= bufferStart_ && offset <= bufferStart_ + end_) {
            position_ = static_cast<std::size_t>(offset - bufferStart_);
            return;
        }
        // Past the end, the next read reports the file as cut short.
        bufferStart_ = std::min(offset, file_.Size());
        position_ = end_ = 0;
    }

    void Skip(std::uint64_t bytes) { Seek(Offset() + bytes); }

    // `missing` says what the file ends before, for the error text.
    std::uint8_t Byte(const char* missing) {
        if (position_ == end_ && !Refill()) {
            Damaged(Path(), missing);
        }
        return buffer_[position_++];
    }

    void Read(std::uint8_t* out, std::size_t bytes, const char* missing) {
        while (bytes > 0) {
            if (position_ == end_ && !Refill()) {
                Damaged(Path(), missing);
            }
            const std::size_t chunk = std::min(bytes, end_ - position_);
            std::memcpy(out, buffer_.data() + position_, chunk);
            position_ += chunk;
            out += chunk;
            bytes -= chunk;
        }
    }

private:
    static constexpr std::size_t kBufferBytes = std::size_t{1} << 16;

    bool Refill() {
        bufferStart_ += end_;
        position_ = 0;
        end_ = file_.ReadAt(bufferStart_, buffer_.data(), buffer_.size());
        return end_ > 0;
    }

    RandomAccessFile file_;
    std::vector<std::uint8_t> buffer_;
    std::uint64_t bufferStart_ = 0;  // file offset of buffer_[0]
    std::size_t position_ = 0;
    std::size_t end_ = 0;
};

enum class Coding { Rgb, Rle8, Rle4, BitFields };

// What the headers say, checked: every offset and size in it lies inside the file.
struct Header {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool topDown = false;
    std::uint16_t bitsPerPixel = 0;
    Coding coding = Coding::Rgb;
    std::array<std::uint32_t, 3> masks{};  // red, green, blue; for 16 and 32 bits per pixel
    std::uint64_t paletteOffset = 0;
    std::uint32_t paletteEntries = 0;  // usable entries, at most 2^bitsPerPixel
    std::uint32_t paletteEntryBytes = 4;
    std::uint64_t dataOffset = 0;
};

bool KnownHeaderSize(std::uint32_t bytes) {
    return bytes == bmp::kCoreHeaderBytes || (bytes >= 16 && bytes <= bmp::kOs2MaxHeaderBytes) ||
           bytes == bmp::kV4HeaderBytes || bytes == bmp::kV5HeaderBytes;
}

// OS/2 2.x headers are 16 to 64 bytes long; 40, 52 and 56 are Windows sizes (an OS/2 header of
// 40 bytes cannot be told apart and reads the same unless it uses OS/2's own compressions).
bool IsOs2Header(std::uint32_t bytes) {
    return bytes >= 16 && bytes <= bmp::kOs2MaxHeaderBytes && bytes != bmp::kInfoHeaderBytes &&
           bytes != bmp::kV2HeaderBytes && bytes != bmp::kV3HeaderBytes;
}

Coding CheckCoding(const std::filesystem::path& path, std::uint32_t compression, std::uint16_t bits,
                   bool os2) {
    const std::string bitsText = std::to_string(bits) + " бит на точку";
    switch (compression) {
        case bmp::kCompressionRgb:
            if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24 &&
                bits != 32) {
                Damaged(path, "недопустимое число бит на точку: " + std::to_string(bits));
            }
            return Coding::Rgb;
        case bmp::kCompressionRle8:
            if (bits != 8) {
                Damaged(path, "сжатие RLE8 при " + bitsText + " (нужно 8)");
            }
            return Coding::Rle8;
        case bmp::kCompressionRle4:
            if (bits != 4) {
                Damaged(path, "сжатие RLE4 при " + bitsText + " (нужно 4)");
            }
            return Coding::Rle4;
        case bmp::kCompressionBitFields:
        case bmp::kCompressionAlphaBitFields:
            if (os2 && compression == bmp::kCompressionBitFields) {
                Damaged(path, "сжатие Хаффмана OS/2 не поддерживается");
            }
            if (bits != 16 && bits != 32) {
                Damaged(path, "битовые маски при " + bitsText + " (нужно 16 или 32)");
            }
            return Coding::BitFields;
        case bmp::kCompressionJpeg:
            if (os2) {
                Damaged(path, "сжатие RLE24 OS/2 не поддерживается");
            }
            Damaged(path, "вложенный рисунок JPEG не поддерживается");
        case bmp::kCompressionPng:
            Damaged(path, "вложенный рисунок PNG не поддерживается");
        default:
            Damaged(path, "неизвестный способ сжатия " + std::to_string(compression));
    }
}

Header ReadHeader(FileReader& file) {
    const std::filesystem::path& path = file.Path();
    const std::uint64_t fileSize = file.Size();
    const std::string fileSizeText = " (в файле " + std::to_string(fileSize) + " байт)";
    if (fileSize < bmp::kFileHeaderBytes + 4) {
        Damaged(path, "файл слишком короткий" + fileSizeText);
    }
    std::array<std::uint8_t, bmp::kFileHeaderBytes> fileHeader{};
    file.Read(fileHeader.data(), fileHeader.size(), "заголовок");
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') {
        Damaged(path, "нет подписи \"BM\" в начале файла");
    }
    Header header;
    header.dataOffset = bmp::LoadU32(fileHeader.data() + 10);

    // Fields that a short OS/2 2.x header leaves out read as 0.
    std::array<std::uint8_t, bmp::kV5HeaderBytes> info{};
    file.Read(info.data(), 4, "заголовок");
    const std::uint32_t headerBytes = bmp::LoadU32(info.data());
    if (!KnownHeaderSize(headerBytes)) {
        Damaged(path, "неизвестный размер заголовка: " + std::to_string(headerBytes) + " байт");
    }
    if (bmp::kFileHeaderBytes + headerBytes > fileSize) {
        Damaged(path, "файл обрывается внутри заголовка" + fileSizeText);
    }
    file.Read(info.data() + 4, headerBytes - 4, "заголовок");

    const bool core = headerBytes == bmp::kCoreHeaderBytes;
    const bool os2 = IsOs2Header(headerBytes);
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint16_t planes = 0;
    std::uint32_t compression = bmp::kCompressionRgb;
    std::uint32_t colorsUsed = 0;
    if (core) {
        width = bmp::LoadU16(info.data() + 4);
        height = bmp::LoadU16(info.data() + 6);
        planes = bmp::LoadU16(info.data() + 8);
        header.bitsPerPixel = bmp::LoadU16(info.data() + 10);
        header.paletteEntryBytes = 3;
    } else {
        width = static_cast<std::int32_t>(bmp::LoadU32(info.data() + 4));
        height = static_cast<std::int32_t>(bmp::LoadU32(info.data() + 8));
        planes = bmp::LoadU16(info.data() + 12);
        header.bitsPerPixel = bmp::LoadU16(info.data() + 14);
        compression = bmp::LoadU32(info.data() + 16);
        colorsUsed = bmp::LoadU32(info.data() + 32);
    }

    if (planes != 1) {
        Damaged(path, "число плоскостей " + std::to_string(planes) + " (должно быть 1)");
    }
    if (width < 0) {
        Damaged(path, "отрицательная ширина " + std::to_string(width));
    }
    header.topDown = height < 0;
    height = height < 0 ? -height : height;
    CheckPictureSize(width, height, path.string());
    header.width = static_cast<std::int32_t>(width);
    header.height = static_cast<std::int32_t>(height);

    header.coding = CheckCoding(path, compression, header.bitsPerPixel, os2);
    const bool rle = header.coding == Coding::Rle8 || header.coding == Coding::Rle4;
    if (rle && header.topDown) {
        Damaged(path, "рисунок со сжатием RLE не может храниться сверху вниз");
    }

    std::uint64_t tablesOffset = bmp::kFileHeaderBytes + headerBytes;
    if (header.coding == Coding::BitFields) {
        if (headerBytes >= bmp::kV2HeaderBytes) {
            for (int i = 0; i < 3; ++i) {
                header.masks[i] = bmp::LoadU32(info.data() + 40 + 4 * i);
            }
        } else {
            // A 40-byte header is followed by the masks (the alpha mask is not used here).
            const std::uint32_t maskBytes =
                compression == bmp::kCompressionAlphaBitFields ? 16 : 12;
            std::array<std::uint8_t, 16> masks{};
            file.Read(masks.data(), maskBytes, "битовые маски");
            for (int i = 0; i < 3; ++i) {
                header.masks[i] = bmp::LoadU32(masks.data() + 4 * i);
            }
            tablesOffset += maskBytes;
        }
    } else if (header.bitsPerPixel == 16) {
        header.masks = {0x7C00, 0x03E0, 0x001F};
    } else if (header.bitsPerPixel == 32) {
        header.masks = {0xFF0000, 0x00FF00, 0x0000FF};
    }

    header.paletteOffset = tablesOffset;
    if (header.bitsPerPixel <= 8) {
        const std::uint32_t maxEntries = std::uint32_t{1} << header.bitsPerPixel;
        const std::uint64_t declared = colorsUsed == 0 ? maxEntries : colorsUsed;
        if (declared > maxEntries &&
            tablesOffset + declared * header.paletteEntryBytes > fileSize) {
            Damaged(path, "заявлена палитра из " + std::to_string(declared) +
                              " цветов, которая не помещается в файле" + fileSizeText);
        }
        std::uint64_t entries = std::min<std::uint64_t>(declared, maxEntries);
        // A palette that the pixel data begins inside of is shorter than declared (OS/2 files
        // written with fewer colours than 2^bits say so only this way).
        if (header.dataOffset >= tablesOffset) {
            entries =
                std::min(entries, (header.dataOffset - tablesOffset) / header.paletteEntryBytes);
        }
        if (tablesOffset + entries * header.paletteEntryBytes > fileSize) {
            Damaged(path, "файл обрывается внутри палитры" + fileSizeText);
        }
        header.paletteEntries = static_cast<std::uint32_t>(entries);
    }

    if (header.dataOffset < tablesOffset) {
        Damaged(path, "смещение данных точек " + std::to_string(header.dataOffset) +
                          " указывает внутрь заголовка");
    }
    if (header.dataOffset >= fileSize) {
        Damaged(path, "смещение данных точек " + std::to_string(header.dataOffset) +
                          " за концом файла" + fileSizeText);
    }
    if (!rle) {
        // The padding of the last row may be missing; its pixels may not.
        const std::uint64_t needed =
            bmp::RowStride(header.width, header.bitsPerPixel) * (header.height - 1) +
            (static_cast<std::uint64_t>(header.width) * header.bitsPerPixel + 7) / 8;
        if (needed > fileSize - header.dataOffset) {
            Damaged(path, "файл обрезан: точкам нужно " + std::to_string(needed) +
                              " байт от смещения " + std::to_string(header.dataOffset) +
                              fileSizeText);
        }
    }
    return header;
}

// Blue, green, red for every possible index; entries the file lacks are black.
using Palette = std::array<std::array<std::uint8_t, 3>, 256>;

Palette ReadPalette(FileReader& file, const Header& header) {
    Palette palette{};
    file.Seek(header.paletteOffset);
    std::array<std::uint8_t, 4> entry{};
    for (std::uint32_t i = 0; i < header.paletteEntries; ++i) {
        file.Read(entry.data(), header.paletteEntryBytes, "палитра");
        palette[i] = {entry[0], entry[1], entry[2]};
    }
    return palette;
}

// One colour channel of a bit-field pixel, scaled from its mask's range to 0..255 with rounding.
class ChannelScale {
public:
    explicit ChannelScale(std::uint32_t mask) : mask_(mask) {
        if (mask == 0) {
            return;  // an absent channel reads as 0
        }
        shift_ = static_cast<std::uint32_t>(std::countr_zero(mask));
        max_ = mask >> shift_;
        if (max_ <= 0xFFFF) {
            table_.resize(max_ + 1);
            for (std::uint32_t v = 0; v <= max_; ++v) {
                table_[v] = Scale(v);
            }
        }
    }

    std::uint8_t operator()(std::uint32_t pixel) const {
        if (max_ == 0) {
            return 0;
        }
        const std::uint32_t value = (pixel & mask_) >> shift_;  // never above max_
        return table_.empty() ? Scale(value) : table_[value];
    }

private:
    std::uint8_t Scale(std::uint32_t value) const {
        return static_cast<std::uint8_t>((std::uint64_t{value} * 255 + max_ / 2) / max_);
    }

    std::uint32_t mask_ = 0;
    std::uint32_t shift_ = 0;
    std::uint32_t max_ = 0;
    std::vector<std::uint8_t> table_;
};

void DecodeRows(FileReader& file, const Header& header, const Palette& palette,
                RasterBitmap& bitmap) {
    const std::uint32_t bits = header.bitsPerPixel;
    const std::size_t width = static_cast<std::size_t>(header.width);
    const std::uint64_t stride = bmp::RowStride(width, bits);
    const std::size_t usedBytes = (width * bits + 7) / 8;
    std::vector<std::uint8_t> source(usedBytes);
    const ChannelScale red(header.masks[0]);
    const ChannelScale green(header.masks[1]);
    const ChannelScale blue(header.masks[2]);
    const bool plain32 = bits == 32 && header.masks[0] == 0xFF0000 && header.masks[1] == 0x00FF00 &&
                         header.masks[2] == 0x0000FF;

    for (std::int32_t fileRow = 0; fileRow < header.height; ++fileRow) {
        file.Seek(header.dataOffset + stride * static_cast<std::uint64_t>(fileRow));
        file.Read(source.data(), usedBytes, "данные точек");
        const std::uint8_t* in = source.data();
        std::uint8_t* out = bitmap.Row(header.topDown ? fileRow : header.height - 1 - fileRow);
        if (bits <= 8) {
            const std::uint32_t indexMask = (1u << bits) - 1;
            for (std::size_t x = 0; x < width; ++x, out += 3) {
                const std::size_t bit = x * bits;
                const std::uint32_t shift = 8 - bits - static_cast<std::uint32_t>(bit & 7);
                const auto& colour = palette[(in[bit >> 3] >> shift) & indexMask];
                out[0] = colour[0];
                out[1] = colour[1];
                out[2] = colour[2];
            }
        } else if (bits == 24) {
            std::memcpy(out, in, width * 3);
        } else if (plain32) {
            for (std::size_t x = 0; x < width; ++x, out += 3, in += 4) {
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
            }
        } else {
            const std::size_t step = bits / 8;
            for (std::size_t x = 0; x < width; ++x, out += 3, in += step) {
                const std::uint32_t pixel = bits == 16 ? bmp::LoadU16(in) : bmp::LoadU32(in);
                out[0] = blue(pixel);
                out[1] = green(pixel);
                out[2] = red(pixel);
            }
        }
    }
}

// Run-length data: pixels it never sets stay black.
void DecodeRle(FileReader& file, const Header& header, const Palette& palette,
               RasterBitmap& bitmap) {
    const bool fourBits = header.coding == Coding::Rle4;
    const std::int64_t width = header.width;
    const std::int64_t height = header.height;
    const char* const cut = "данные RLE обрываются до метки конца рисунка";
    std::int64_t x = 0;
    std::int64_t y = 0;  // counted from the bottom, as stored
    auto checkSpan = [&](std::int64_t count) {
        if (y >= height || x + count > width) {
            Damaged(file.Path(), "данные RLE выходят за край рисунка (строка " + std::to_string(y) +
                                     " снизу, столбец " + std::to_string(x) + ", точек " +
                                     std::to_string(count) + ")");
        }
    };
    auto put = [&](std::uint8_t index) {
        std::uint8_t* out = bitmap.Row(static_cast<std::int32_t>(height - 1 - y)) + x * 3;
        const auto& colour = palette[index];
        out[0] = colour[0];
        out[1] = colour[1];
        out[2] = colour[2];
        ++x;
    };
    std::array<std::uint8_t, 256> literal{};

    file.Seek(header.dataOffset);
    for (;;) {
        const std::uint8_t count = file.Byte(cut);
        const std::uint8_t value = file.Byte(cut);
        if (count > 0) {
            checkSpan(count);
            for (int i = 0; i < count; ++i) {
                put(fourBits ? ((i & 1) ? value & 0x0F : value >> 4) : value);
            }
            continue;
        }
        switch (value) {
            case 0:  // end of line
                x = 0;
                ++y;
                break;
            case 1:  // end of bitmap
                return;
            case 2: {  // move right and up
                const std::uint8_t right = file.Byte(cut);
                const std::uint8_t up = file.Byte(cut);
                x += right;
                y += up;
                if (x > width || y > height) {
                    Damaged(file.Path(), "смещение RLE уводит за край рисунка (строка " +
                                             std::to_string(y) + " снизу, столбец " +
                                             std::to_string(x) + ")");
                }
                break;
            }
            default: {  // `value` pixels stored literally, padded to a whole 16-bit word
                checkSpan(value);
                const std::size_t bytes = fourBits ? (value + 1u) / 2 : value;
                file.Read(literal.data(), bytes, cut);
                for (int i = 0; i < value; ++i) {
                    put(fourBits ? ((i & 1) ? literal[i / 2] & 0x0F : literal[i / 2] >> 4)
                                 : literal[i]);
                }
                if (bytes & 1) {
                    file.Byte(cut);
                }
                break;
            }
        }
    }
}

}  // namespace

RasterBitmap ReadBmp(const std::filesystem::path& path) {
    FileReader file(path);
    const Header header = ReadHeader(file);
    const Palette palette = ReadPalette(file, header);
    RasterBitmap bitmap(header.width, header.height);
    if (header.coding == Coding::Rle8 || header.coding == Coding::Rle4) {
        DecodeRle(file, header, palette, bitmap);
    } else {
        DecodeRows(file, header, palette, bitmap);
    }
    return bitmap;
}

PictureSize ReadBmpSize(const std::filesystem::path& path) {
    FileReader file(path);
    const Header header = ReadHeader(file);
    return {header.width, header.height};
}

}  // namespace lumora
