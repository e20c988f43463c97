// The display block the views paint: an 8-bit device-independent bitmap
// with a 256-entry palette, in the layout of a Windows BITMAPINFO followed
// by its pixels, so that a BMP file is this block behind a 14-byte file
// header.
//
//   offset 0     40-byte information header (little-endian):
//                size 40, width, height (> 0: rows stored bottom-up),
//                planes 1, bits per pixel 8, compression 0, image size
//                width x height, x/y pixels per metre 0, colours used 256,
//                colours important 256
//   offset 40    256 palette entries of 4 bytes: blue, green, red, 0
//   offset 1064  the rows, last image row first, each padded with zero
//                bytes to a multiple of 4 (behind the 14-byte header of a
//                BMP file they start at offset 1078)
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/geometry_image.h"

namespace elix {

inline constexpr std::size_t kDibHeaderSize = 40;
inline constexpr std::size_t kDibPaletteEntries = 256;
inline constexpr std::size_t kDibPixelOffset = kDibHeaderSize + 4 * kDibPaletteEntries;  // 1064

// A palette as three tables of 256 entries.
struct Palette256 {
    std::array<std::uint8_t, 256> red{}, green{}, blue{};
};

// The gray ramp: entry i is (i, i, i).
Palette256 GrayPalette();

// Bytes a stored row takes: width rounded up to a multiple of 4.
std::size_t DibRowStride(std::int64_t width);

// Builds the display block of width x height pixels from rows with the
// given palette. False (block left empty) when the image is empty, its
// rows do not match the size, or the block would not fit the 32-bit sizes
// of the format ("DIB is too large").
bool BuildDisplayBlock(int width, int height, const ImageRows& rows, const Palette256& palette,
                       std::vector<std::uint8_t>& block);

// Reads the header fields of a display block (little-endian). False when
// the block is shorter than its header.
struct DibInfo {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t coloursUsed = 0;
};
bool ReadDibInfo(const std::vector<std::uint8_t>& block, DibInfo& info);

}  // namespace elix
