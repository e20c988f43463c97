// libFuzzer target: the bitmap file reader of BMP Import. Whatever decodes
// is a display block of the usual layout that a BMP file of its own gives
// back unchanged.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz_check.h"
#include "geometry/bmp_file.h"
#include "geometry/display_bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace elix;
    std::vector<std::uint8_t> block;
    if (!DecodeBmp(std::span<const std::uint8_t>(data, size), block)) {
        FUZZ_CHECK(block.empty());
        return 0;
    }
    DibInfo info;
    FUZZ_CHECK(ReadDibInfo(block, info));
    FUZZ_CHECK(info.width >= 1 && info.height >= 1 && info.bitCount == 8);
    FUZZ_CHECK(block.size() == kDibPixelOffset + DibRowStride(info.width) * static_cast<std::size_t>(info.height));
    const std::vector<std::uint8_t> file = BmpFileBytes(block);
    FUZZ_CHECK(file.size() == kBmpFileHeaderSize + block.size());
    std::vector<std::uint8_t> again;
    FUZZ_CHECK(DecodeBmp(file, again));
    FUZZ_CHECK(again == block);
    return 0;
}
