#include "geometry/bmp_file.h"

#include <cstdio>
#include <limits>
#include <new>

#include "geometry/byte_order.h"
#include "geometry/display_bitmap.h"
#include "geometry/geometry_image.h"

namespace elix {
namespace {

constexpr std::size_t kInfoHeaderOffset = kBmpFileHeaderSize;
// Information headers that start with the 40-byte layout: BITMAPINFOHEADER
// and its version 4 and 5 extensions.
constexpr std::uint32_t kInfoHeaderSizes[] = {40, 108, 124};
constexpr std::uint64_t kMaxBlock = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
// Largest bitmap file read into memory: more than any image the program
// can show takes.
constexpr long kMaxBmpFile = 1L << 31;

}  // namespace

std::vector<std::uint8_t> BmpFileBytes(const std::vector<std::uint8_t>& block) {
    std::vector<std::uint8_t> file;
    DibInfo info;
    if (!ReadDibInfo(block, info)) return file;
    const std::uint64_t total = kBmpFileHeaderSize + std::uint64_t{block.size()};
    if (total > kMaxBlock) return file;
    const std::uint32_t paletteEntries = info.coloursUsed != 0 ? info.coloursUsed
                                         : info.bitCount <= 8  ? (1u << info.bitCount)
                                                               : 0u;
    file.reserve(static_cast<std::size_t>(total));
    file.push_back('B');
    file.push_back('M');
    bytes::PutU32(file, static_cast<std::uint32_t>(total));
    bytes::PutU16(file, 0);
    bytes::PutU16(file, 0);
    bytes::PutU32(file, static_cast<std::uint32_t>(kBmpFileHeaderSize + kDibHeaderSize + 4u * paletteEntries));
    file.insert(file.end(), block.begin(), block.end());
    return file;
}

bool DecodeBmp(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& block) {
    block.clear();
    const std::uint8_t* d = data.data();
    const std::size_t size = data.size();
    if (size < kInfoHeaderOffset + kDibHeaderSize || d[0] != 'B' || d[1] != 'M') return false;
    const std::uint32_t pixelOffset = bytes::GetU32(d, 10);
    const std::uint32_t infoSize = bytes::GetU32(d, kInfoHeaderOffset);
    bool knownHeader = false;
    for (std::uint32_t known : kInfoHeaderSizes) knownHeader = knownHeader || infoSize == known;
    if (!knownHeader || kInfoHeaderOffset + std::uint64_t{infoSize} > size) return false;

    const auto width = static_cast<std::int32_t>(bytes::GetU32(d, 18));
    const auto storedHeight = static_cast<std::int32_t>(bytes::GetU32(d, 22));
    const std::uint16_t planes = bytes::GetU16(d, 26);
    const std::uint16_t bitCount = bytes::GetU16(d, 28);
    const std::uint32_t compression = bytes::GetU32(d, 30);
    const std::uint32_t coloursUsed = bytes::GetU32(d, 46);
    if (planes != 1 || compression != 0) return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8) return false;
    // A negative height stores the rows top-down.
    if (width < 1 || storedHeight == 0 || storedHeight == std::numeric_limits<std::int32_t>::min()) return false;
    const bool topDown = storedHeight < 0;
    const std::int32_t height = topDown ? -storedHeight : storedHeight;
    if (std::int64_t{width} * height > kMaxImagePixels) return false;

    const std::uint32_t maxColours = 1u << bitCount;
    const std::uint32_t colours = coloursUsed == 0 ? maxColours : coloursUsed;
    if (colours > maxColours) return false;
    const std::uint64_t paletteOffset = kInfoHeaderOffset + std::uint64_t{infoSize};
    if (paletteOffset + 4ull * colours > size) return false;

    const std::uint64_t sourceStride = (std::uint64_t{static_cast<std::uint32_t>(width)} * bitCount + 31) / 32 * 4;
    if (pixelOffset > size || sourceStride * static_cast<std::uint64_t>(height) > size - pixelOffset) return false;

    const std::uint64_t stride = DibRowStride(width);
    if (stride * static_cast<std::uint64_t>(height) + kDibPixelOffset > kMaxBlock) return false;

    try {
        block.reserve(static_cast<std::size_t>(stride * static_cast<std::uint64_t>(height) + kDibPixelOffset));
    } catch (const std::bad_alloc&) {
        return false;
    }
    bytes::PutU32(block, kDibHeaderSize);
    bytes::PutU32(block, static_cast<std::uint32_t>(width));
    bytes::PutU32(block, static_cast<std::uint32_t>(height));
    bytes::PutU16(block, 1);
    bytes::PutU16(block, 8);
    bytes::PutU32(block, 0);
    bytes::PutU32(block, static_cast<std::uint32_t>(std::int64_t{width} * height));
    bytes::PutU32(block, 0);
    bytes::PutU32(block, 0);
    bytes::PutU32(block, kDibPaletteEntries);
    bytes::PutU32(block, kDibPaletteEntries);
    // The file's colours, then black for the entries it does not use.
    for (std::uint32_t i = 0; i < kDibPaletteEntries; ++i) {
        for (std::size_t k = 0; k < 3; ++k)
            block.push_back(i < colours ? d[paletteOffset + 4ull * i + k] : std::uint8_t{0});
        block.push_back(0);
    }
    const auto w = static_cast<std::size_t>(width);
    const std::size_t padding = static_cast<std::size_t>(stride) - w;
    const unsigned mask = (1u << bitCount) - 1u;
    for (std::int32_t r = 0; r < height; ++r) {
        // Stored bottom-up like the block; a top-down file is turned over.
        const std::int32_t sourceRow = topDown ? height - 1 - r : r;
        const std::uint8_t* row = d + pixelOffset + sourceStride * static_cast<std::uint64_t>(sourceRow);
        for (std::size_t x = 0; x < w; ++x) {
            const std::size_t bit = x * bitCount;
            const unsigned shift = 8u - bitCount - static_cast<unsigned>(bit % 8);
            block.push_back(static_cast<std::uint8_t>((row[bit / 8] >> shift) & mask));
        }
        bytes::PutZeros(block, padding);
    }
    return true;
}

BmpReadResult ReadBmpFile(const std::string& path, std::vector<std::uint8_t>& block) {
    block.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return BmpReadResult::CannotOpen;
    std::vector<std::uint8_t> data;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(file) : -1;
    ok = ok && size >= 0 && size <= kMaxBmpFile && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        try {
            data.resize(static_cast<std::size_t>(size));
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    ok = ok && std::fread(data.data(), 1, data.size(), file) == data.size();
    std::fclose(file);
    if (!ok || !DecodeBmp(data, block)) return BmpReadResult::NotABitmap;
    return BmpReadResult::Ok;
}

}  // namespace elix
