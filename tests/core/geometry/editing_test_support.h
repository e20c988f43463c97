// Helpers of the geometry editing tests: images built directly in the
// document, and summaries of which pixels carry a gray level.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/elix_doc.h"

namespace elix::test {

// 10 pixel/mm.
inline constexpr float kTenPerMillimetre = 254.0f;

// Gives the document a width x height image of one gray level.
inline void FillImage(CElixDoc& doc, int width, int height, std::uint8_t gray, float dpi = kTenPerMillimetre) {
    doc.image.ImageWidth = width;
    doc.image.ImageHeight = height;
    doc.image.ResolutionX = dpi;
    doc.image.ResolutionY = dpi;
    doc.image.Rows.assign(static_cast<std::size_t>(height),
                          std::vector<std::uint8_t>(static_cast<std::size_t>(width), gray));
}

inline std::uint8_t Pixel(const CElixDoc& doc, int x, int y) {
    return doc.image.Rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
}

// Where the pixels of one gray level lie: their count and bounding box.
struct GrayBox {
    int count = 0;
    int xMin = 1 << 30, xMax = -1, yMin = 1 << 30, yMax = -1;
};

inline GrayBox BoxOf(const CElixDoc& doc, std::uint8_t gray) {
    GrayBox box;
    for (int y = 0; y < doc.image.ImageHeight; ++y)
        for (int x = 0; x < doc.image.ImageWidth; ++x)
            if (Pixel(doc, x, y) == gray) {
                ++box.count;
                box.xMin = std::min(box.xMin, x);
                box.xMax = std::max(box.xMax, x);
                box.yMin = std::min(box.yMin, y);
                box.yMax = std::max(box.yMax, y);
            }
    return box;
}

// True when exactly the pixels of the box x0..x1, y0..y1 (inclusive) carry
// the gray level.
inline bool IsExactlyBox(const CElixDoc& doc, std::uint8_t gray, int x0, int x1, int y0, int y1) {
    const GrayBox box = BoxOf(doc, gray);
    return box.count == (x1 - x0 + 1) * (y1 - y0 + 1) && box.xMin == x0 && box.xMax == x1 && box.yMin == y0 &&
           box.yMax == y1;
}

}  // namespace elix::test
