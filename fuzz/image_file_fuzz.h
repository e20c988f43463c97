// The body of the PCX and GEO fuzz targets: decode the bytes as a file of
// the given format; whatever decodes must be a consistent image that the
// writer stores and the reader gives back unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz_check.h"
#include "geometry/pcx_codec.h"

namespace elix::fuzz {

// Inputs whose header asks for more pixels than this are decoded only up
// to the header: filling a huge image from a few bytes measures memory
// speed, not the decoder.
inline constexpr std::int64_t kMaxFuzzPixels = std::int64_t{1} << 12;

inline int DecodeImageFileInput(const std::uint8_t* data, std::size_t size, ImageFileFormat format) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (size >= kPcxHeaderSize) {
        PcxHeader header;
        if (ParseImageHeader(bytes.first<kPcxHeaderSize>(), format, header) &&
            std::int64_t{header.width} * header.height > kMaxFuzzPixels)
            return 0;
    }
    DecodedImage image;
    if (!DecodeImageBytes(bytes, format, image)) {
        FUZZ_CHECK(image.rows.empty());
        return 0;
    }
    FUZZ_CHECK(image.width >= 1 && image.height >= 1);
    FUZZ_CHECK(image.rows.size() == static_cast<std::size_t>(image.height));
    for (const auto& row : image.rows) FUZZ_CHECK(row.size() == static_cast<std::size_t>(image.width));
    FUZZ_CHECK(image.resolutionX == image.resolutionY);
    FUZZ_CHECK(image.resolutionY > 0.0f);

    std::vector<std::uint8_t> encoded;
    if (!EncodeImage(format, image.width, image.height, image.rows, image.resolutionX, image.resolutionY, encoded))
        return 0;  // wider than a written header can hold
    DecodedImage again;
    FUZZ_CHECK(DecodeImageBytes(encoded, format, again));
    FUZZ_CHECK(again.rows == image.rows);
    FUZZ_CHECK(again.resolutionY == image.resolutionY);
    return 0;
}

}  // namespace elix::fuzz
