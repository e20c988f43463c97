// The display block of the geometry image and the material colouring of
// its palette.
#include "geometry/display_bitmap.h"

#include <algorithm>
#include <limits>
#include <new>

#include "geometry/byte_order.h"
#include "geometry/item_colours.h"
#include "model/elix_doc.h"
#include "view/colour_map.h"

namespace elix {

Palette256 GrayPalette() {
    Palette256 palette;
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        palette.red[static_cast<std::size_t>(i)] = v;
        palette.green[static_cast<std::size_t>(i)] = v;
        palette.blue[static_cast<std::size_t>(i)] = v;
    }
    return palette;
}

std::size_t DibRowStride(std::int64_t width) {
    return static_cast<std::size_t>((width + 3) / 4 * 4);
}

bool BuildDisplayBlock(int width, int height, const ImageRows& rows, const Palette256& palette,
                       std::vector<std::uint8_t>& block) {
    block.clear();
    if (width < 1 || height < 1 || rows.size() != static_cast<std::size_t>(height)) return false;
    for (const auto& row : rows)
        if (row.size() != static_cast<std::size_t>(width)) return false;
    // Every size of the format is a signed 32-bit number.
    const std::size_t stride = DibRowStride(width);
    const auto limit = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    if (stride > (limit - kDibPixelOffset) / static_cast<std::size_t>(height)) return false;
    const std::size_t total = stride * static_cast<std::size_t>(height) + kDibPixelOffset;
    try {
        block.reserve(total);
    } catch (const std::bad_alloc&) {
        return false;
    }
    bytes::PutU32(block, kDibHeaderSize);
    bytes::PutU32(block, static_cast<std::uint32_t>(width));
    bytes::PutU32(block, static_cast<std::uint32_t>(height));
    bytes::PutU16(block, 1);  // planes
    bytes::PutU16(block, 8);  // bits per pixel
    bytes::PutU32(block, 0);  // no compression
    bytes::PutU32(block, static_cast<std::uint32_t>(static_cast<std::int64_t>(width) * height));
    bytes::PutU32(block, 0);                   // x pixels per metre
    bytes::PutU32(block, 0);                   // y pixels per metre
    bytes::PutU32(block, kDibPaletteEntries);  // colours used
    bytes::PutU32(block, kDibPaletteEntries);  // colours important
    for (std::size_t i = 0; i < kDibPaletteEntries; ++i) {
        block.push_back(palette.blue[i]);
        block.push_back(palette.green[i]);
        block.push_back(palette.red[i]);
        block.push_back(0);
    }
    const std::size_t padding = stride - static_cast<std::size_t>(width);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        block.insert(block.end(), row->begin(), row->end());
        bytes::PutZeros(block, padding);
    }
    return true;
}

bool ReadDibInfo(const std::vector<std::uint8_t>& block, DibInfo& info) {
    if (block.size() < kDibHeaderSize) return false;
    info.width = static_cast<std::int32_t>(bytes::GetU32(block.data(), 4));
    info.height = static_cast<std::int32_t>(bytes::GetU32(block.data(), 8));
    info.bitCount = bytes::GetU16(block.data(), 14);
    info.coloursUsed = bytes::GetU32(block.data(), 32);
    return true;
}

bool CElixDoc::RebuildDisplayBitmap() {
    image.displayBitmap.clear();
    image.displayBitmap.shrink_to_fit();
    Palette256 palette = image.ShowsFrame ? ColourMapPalette(FrameColourMap()) : GrayPalette();
    if (DisplayCategory == "MaterialProperties") {
        BuildMaterialPalette();
        image.materialPalette = true;
        palette.red = image.red;
        palette.green = image.green;
        palette.blue = image.blue;
    } else {
        image.materialPalette = false;
    }
    if (!image.HasRows()) return false;
    if (!BuildDisplayBlock(image.ImageWidth, image.ImageHeight, image.Rows, palette, image.displayBitmap)) {
        image.displayBitmap.clear();
        ReportMessage("DIB is too large", MessageStyle::Exclamation);
        return false;
    }
    return true;
}

void CElixDoc::BuildMaterialPalette() {
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        image.red[static_cast<std::size_t>(i)] = image.green[static_cast<std::size_t>(i)] =
            image.blue[static_cast<std::size_t>(i)] = v;
    }
    image.tablesAllocated = true;
    // The colour counter advances for every material, also for one that
    // holds no gray level (255), so a material keeps its list colour.
    const int count = std::min<int>(m_materials.Count(), m_materials.Capacity());
    int colour = 0;
    for (int k = 0; k < count; ++k) {
        const std::uint8_t gray = m_materials[k].grayLevel;
        if (gray < kVacuumGrayLevel) {
            const ItemColour c = ItemColourAt(colour);
            image.red[gray] = c.red;
            image.green[gray] = c.green;
            image.blue[gray] = c.blue;
        }
        colour = (colour + 1) % 16;
    }
}

}  // namespace elix
