#pragma once

// The layout of a Windows bitmap file, shared by the reader and the writer. All numbers in the
// file are little-endian.

#include <cstddef>
#include <cstdint>

namespace lumora::bmp {

inline constexpr std::size_t kFileHeaderBytes = 14;      // "BM", file size, reserved, data offset
inline constexpr std::uint32_t kCoreHeaderBytes = 12;    // OS/2 1.x: 16-bit sides
inline constexpr std::uint32_t kInfoHeaderBytes = 40;    // Windows 3: BITMAPINFOHEADER
inline constexpr std::uint32_t kV2HeaderBytes = 52;      // + red, green, blue masks
inline constexpr std::uint32_t kV3HeaderBytes = 56;      // + alpha mask
inline constexpr std::uint32_t kOs2MaxHeaderBytes = 64;  // OS/2 2.x: 16..64 bytes
inline constexpr std::uint32_t kV4HeaderBytes = 108;
inline constexpr std::uint32_t kV5HeaderBytes = 124;

// biCompression values.
inline constexpr std::uint32_t kCompressionRgb = 0;
inline constexpr std::uint32_t kCompressionRle8 = 1;
inline constexpr std::uint32_t kCompressionRle4 = 2;
inline constexpr std::uint32_t kCompressionBitFields = 3;  // OS/2 2.x: Huffman 1D
inline constexpr std::uint32_t kCompressionJpeg = 4;       // OS/2 2.x: RLE24
inline constexpr std::uint32_t kCompressionPng = 5;
inline constexpr std::uint32_t kCompressionAlphaBitFields = 6;

inline constexpr std::int32_t kPixelsPerMetre96Dpi = 2835;

// Bytes of one stored row: rows are padded to a multiple of 4 bytes.
constexpr std::uint64_t RowStride(std::uint64_t width, std::uint64_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

inline std::uint16_t LoadU16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline std::uint32_t LoadU32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

inline void StoreU16(std::uint8_t* bytes, std::uint16_t value) {
    bytes[0] = static_cast<std::uint8_t>(value);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void StoreU32(std::uint8_t* bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

}  // namespace lumora::bmp
