// The display block and the material colouring of its palette.
#include "geometry/display_bitmap.h"

#include <gtest/gtest.h>

#include "geometry/item_colours.h"
#include "model/elix_doc.h"
#include "support/scripted_ui.h"

namespace elix {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t U32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16)) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// Palette entry i of a block as (red, green, blue).
std::array<int, 3> Entry(const Bytes& block, int i) {
    const std::size_t at = kDibHeaderSize + 4 * static_cast<std::size_t>(i);
    return {block[at + 2], block[at + 1], block[at]};
}

void SetImage(CElixDoc& doc, const ImageRows& rows) {
    doc.image.Rows = rows;
    doc.image.ImageHeight = static_cast<int>(rows.size());
    doc.image.ImageWidth = static_cast<int>(rows[0].size());
}

TEST(DisplayBitmapTest, OnePixelWideImageHasThreePaddingBytesPerRow) {
    CElixDoc doc;
    SetImage(doc, {{10}, {20}, {30}});
    ASSERT_TRUE(doc.RebuildDisplayBitmap());
    const Bytes& block = doc.image.displayBitmap;
    ASSERT_EQ(block.size(), 4u * 3u + 1064u);
    EXPECT_EQ(U32(block, 0), 40u);
    EXPECT_EQ(U32(block, 4), 1u);                // width
    EXPECT_EQ(U32(block, 8), 3u);                // height, positive: bottom-up
    EXPECT_EQ(block[12] | (block[13] << 8), 1);  // planes
    EXPECT_EQ(block[14] | (block[15] << 8), 8);  // bits per pixel
    EXPECT_EQ(U32(block, 16), 0u);               // no compression
    EXPECT_EQ(U32(block, 20), 3u);               // image size: width x height, unpadded
    EXPECT_EQ(U32(block, 32), 256u);
    EXPECT_EQ(U32(block, 36), 256u);
    // The last image row is stored first; padding bytes are zero.
    EXPECT_EQ(Bytes(block.begin() + 1064, block.end()), (Bytes{30, 0, 0, 0, 20, 0, 0, 0, 10, 0, 0, 0}));
    // Without the material category the palette is the gray ramp, and its
    // fourth bytes are zero.
    EXPECT_FALSE(doc.image.materialPalette);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(Entry(block, i), (std::array<int, 3>{i, i, i}));
        EXPECT_EQ(block[kDibHeaderSize + 4 * static_cast<std::size_t>(i) + 3], 0);
    }
}

TEST(DisplayBitmapTest, RowsOfEveryWidthArePaddedToFourBytes) {
    for (int width = 1; width <= 9; ++width) {
        const ImageRows rows(2, Bytes(static_cast<std::size_t>(width), 7));
        Bytes block;
        ASSERT_TRUE(BuildDisplayBlock(width, 2, rows, GrayPalette(), block));
        const std::size_t stride = (static_cast<std::size_t>(width) + 3) / 4 * 4;
        EXPECT_EQ(block.size(), stride * 2 + kDibPixelOffset) << width;
        EXPECT_EQ(block[kDibPixelOffset + stride - 1], width % 4 == 0 ? 7 : 0) << width;
    }
}

TEST(DisplayBitmapTest, NothingToShowGivesNoBlock) {
    CElixDoc doc;
    EXPECT_FALSE(doc.RebuildDisplayBitmap());
    EXPECT_TRUE(doc.image.displayBitmap.empty());
    Bytes block{1, 2, 3};
    EXPECT_FALSE(BuildDisplayBlock(2, 2, ImageRows{{1, 2}}, GrayPalette(), block));  // a row missing
    EXPECT_TRUE(block.empty());
    EXPECT_FALSE(BuildDisplayBlock(2, 1, ImageRows{{1}}, GrayPalette(), block));  // a row too short
}

struct MaterialPaletteTest : ::testing::Test {
    CElixDoc doc;
    void AddMaterial(const std::string& name, std::uint8_t gray) {
        CMaterialProperty m;
        m.name = name;
        m.grayLevel = gray;
        ASSERT_TRUE(doc.AddItem(m));
    }
};

TEST_F(MaterialPaletteTest, MaterialsTakeTheItemColoursInListOrder) {
    // A full list, filled slot by slot as the model reader does.
    auto& list = doc.Materials();
    list.CreateSlots();
    for (int k = 0; k < 16; ++k) {
        list.Slot(k).name = "M" + std::to_string(k);
        list.Slot(k).grayLevel = static_cast<std::uint8_t>(10 + k);
    }
    list.SetCount(16);
    doc.BuildMaterialPalette();
    for (int k = 0; k < 16; ++k) {
        const std::size_t g = static_cast<std::size_t>(10 + k);
        EXPECT_EQ(doc.image.red[g], kItemColours[static_cast<std::size_t>(k)].red) << k;
        EXPECT_EQ(doc.image.green[g], kItemColours[static_cast<std::size_t>(k)].green) << k;
        EXPECT_EQ(doc.image.blue[g], kItemColours[static_cast<std::size_t>(k)].blue) << k;
    }
    // Unclaimed gray levels keep the gray ramp.
    EXPECT_EQ(doc.image.red[9], 9);
    EXPECT_EQ(doc.image.green[200], 200);
    // Lists longer than 16 (sources, curves) start the colours again: the
    // 17th item has the colour of the first.
    EXPECT_EQ(ItemColourAt(16).red, ItemColourAt(0).red);
    EXPECT_EQ(ItemColourAt(16).green, ItemColourAt(0).green);
    EXPECT_EQ(ItemColourAt(16).blue, ItemColourAt(0).blue);
}

TEST_F(MaterialPaletteTest, VacuumMaterialTakesNoColourButAdvancesTheCounter) {
    AddMaterial("Air", 255);
    AddMaterial("Steel", 0);
    AddMaterial("Water", 1);
    doc.BuildMaterialPalette();
    EXPECT_EQ(doc.image.red[255], 255);  // vacuum stays white
    EXPECT_EQ(doc.image.green[255], 255);
    EXPECT_EQ(doc.image.blue[255], 255);
    // Steel is second in the list: colour 1 (0, 255, 0); Water colour 2.
    EXPECT_EQ((std::array<int, 3>{doc.image.red[0], doc.image.green[0], doc.image.blue[0]}),
              (std::array<int, 3>{0, 255, 0}));
    EXPECT_EQ((std::array<int, 3>{doc.image.red[1], doc.image.green[1], doc.image.blue[1]}),
              (std::array<int, 3>{0, 0, 255}));
}

TEST_F(MaterialPaletteTest, OnlyTheMaterialCategoryColoursTheBlock) {
    AddMaterial("Steel", 3);
    SetImage(doc, {{3, 4}});
    doc.DisplayCategory = "MaterialProperties";
    ASSERT_TRUE(doc.RebuildDisplayBitmap());
    EXPECT_TRUE(doc.image.materialPalette);
    EXPECT_EQ(Entry(doc.image.displayBitmap, 3), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(Entry(doc.image.displayBitmap, 4), (std::array<int, 3>{4, 4, 4}));
    doc.DisplayCategory = "Sources";
    ASSERT_TRUE(doc.RebuildDisplayBitmap());
    EXPECT_FALSE(doc.image.materialPalette);
    EXPECT_EQ(Entry(doc.image.displayBitmap, 3), (std::array<int, 3>{3, 3, 3}));
}

}  // namespace
}  // namespace elix
