#include "view/colour_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "model/elix_doc.h"

namespace elix {
namespace {

// Rec. 601 luma of a palette entry.
double Luma(const Palette256& p, std::size_t i) { return 0.299 * p.red[i] + 0.587 * p.green[i] + 0.114 * p.blue[i]; }

TEST(ColourMapTest, GrayIsTheGrayRampAndEveryMapPaintsLevel255White) {
    const Palette256 gray = ColourMapPalette(ColourMap::Gray);
    for (std::size_t i = 0; i < 256; ++i) {
        EXPECT_EQ(gray.red[i], i);
        EXPECT_EQ(gray.green[i], i);
        EXPECT_EQ(gray.blue[i], i);
    }
    for (ColourMap map : {ColourMap::Gray, ColourMap::Diverging, ColourMap::Sequential}) {
        const Palette256 p = ColourMapPalette(map);
        EXPECT_EQ(p.red[255], 255) << ColourMapName(map);
        EXPECT_EQ(p.green[255], 255) << ColourMapName(map);
        EXPECT_EQ(p.blue[255], 255) << ColourMapName(map);
    }
}

// Blue at the bottom, near white in the middle, red at the top; each half
// moves one way only, so the sign of (level - mid) reads off the hue.
TEST(ColourMapTest, DivergingRunsFromBlueThroughWhiteToRed) {
    const Palette256 p = ColourMapPalette(ColourMap::Diverging);
    EXPECT_GT(p.blue[0], 150);
    EXPECT_LT(p.red[0], 100);
    EXPECT_GT(p.red[254], 150);
    EXPECT_LT(p.blue[254], 60);
    EXPECT_GT(p.red[127], 240);
    EXPECT_GT(p.green[127], 240);
    EXPECT_GT(p.blue[127], 240);
    for (std::size_t i = 1; i <= 127; ++i) {
        EXPECT_GE(p.red[i], p.red[i - 1]) << i;
        EXPECT_GE(p.green[i], p.green[i - 1]) << i;
    }
    for (std::size_t i = 128; i <= 254; ++i) {
        EXPECT_LE(p.green[i], p.green[i - 1]) << i;
        EXPECT_LE(p.blue[i], p.blue[i - 1]) << i;
    }
}

// A magnitude map: black at zero, white at the top, and brighter with
// every level in between.
TEST(ColourMapTest, SequentialBrightensSteadilyFromBlackToWhite) {
    const Palette256 p = ColourMapPalette(ColourMap::Sequential);
    EXPECT_EQ(Luma(p, 0), 0.0);
    EXPECT_GT(Luma(p, 254), 253.0);
    for (std::size_t i = 1; i <= 254; ++i) EXPECT_GT(Luma(p, i), Luma(p, i - 1)) << i;
}

TEST(ColourMapTest, NamesRoundTrip) {
    for (ColourMap map : {ColourMap::Gray, ColourMap::Diverging, ColourMap::Sequential})
        EXPECT_EQ(ColourMapNamed(ColourMapName(map)), map);
    EXPECT_FALSE(ColourMapNamed("gray").has_value());
    EXPECT_FALSE(ColourMapNamed("").has_value());
}

// The map changes the palette of a frame's display block only: the pixel
// bytes and the image rows stay, and the geometry is always shown gray.
TEST(ColourMapTest, OnlyTheFramePaletteChanges) {
    CElixDoc doc;
    doc.image.ImageWidth = 3;
    doc.image.ImageHeight = 2;
    doc.image.Rows = {{0, 100, 254}, {255, 7, 128}};
    doc.image.ShowsFrame = true;
    ASSERT_TRUE(doc.RebuildDisplayBitmap());
    const std::vector<std::uint8_t> grayBlock = doc.image.displayBitmap;
    SetFrameColourMap(ColourMap::Diverging);
    const bool rebuilt = doc.RebuildDisplayBitmap();
    SetFrameColourMap(ColourMap::Gray);
    ASSERT_TRUE(rebuilt);
    const std::vector<std::uint8_t>& block = doc.image.displayBitmap;
    ASSERT_EQ(block.size(), grayBlock.size());
    EXPECT_TRUE(std::equal(block.begin() + kDibPixelOffset, block.end(), grayBlock.begin() + kDibPixelOffset));
    EXPECT_EQ(doc.image.Rows, (ImageRows{{0, 100, 254}, {255, 7, 128}}));
    const Palette256 diverging = ColourMapPalette(ColourMap::Diverging);
    // Palette entries are stored blue, green, red, 0 after the header.
    for (std::size_t i : {0u, 100u, 254u}) {
        EXPECT_EQ(block[kDibHeaderSize + 4 * i], diverging.blue[i]) << i;
        EXPECT_EQ(block[kDibHeaderSize + 4 * i + 2], diverging.red[i]) << i;
    }
    // The geometry keeps its gray palette whatever the map.
    doc.image.ShowsFrame = false;
    SetFrameColourMap(ColourMap::Sequential);
    const bool geometryRebuilt = doc.RebuildDisplayBitmap();
    SetFrameColourMap(ColourMap::Gray);
    ASSERT_TRUE(geometryRebuilt);
    EXPECT_EQ(doc.image.displayBitmap, grayBlock);
}

}  // namespace
}  // namespace elix
