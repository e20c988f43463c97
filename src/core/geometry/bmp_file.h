// Windows bitmap files of the display block: BMP Export writes the block
// behind a 14-byte file header; BMP Import reads an uncompressed 1-, 4- or
// 8-bit bitmap and turns it into a display block of the usual layout
// (40-byte header, 256 palette entries, rows bottom-up padded to 4 bytes).
//
// File header (little-endian): "BM", total file size (32 bits), two zero
// reserved 16-bit words, offset of the pixels (32 bits).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace elix {

inline constexpr std::size_t kBmpFileHeaderSize = 14;

// The bytes of a bitmap file holding the display block. Empty when the
// block is shorter than its header or too large for the format.
std::vector<std::uint8_t> BmpFileBytes(const std::vector<std::uint8_t>& block);

// Decodes a bitmap file into a display block. False (block left empty) for
// anything but an uncompressed bitmap of 1, 4 or 8 bits per pixel whose
// header, palette and pixels lie inside the data.
bool DecodeBmp(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& block);

enum class BmpReadResult { Ok, CannotOpen, NotABitmap };
BmpReadResult ReadBmpFile(const std::string& path, std::vector<std::uint8_t>& block);

}  // namespace elix
